#include "widgets/report_list_view.h"

#include "platform/win32/unicode.h"

namespace widgets {
namespace {

using platform::win32::Narrow;
using platform::win32::Widen;

// The room a header item takes around its text, in pixels.
constexpr int kHeaderMargins = 16;

Font MessageFont() {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return Font();
    return Font(CreateFontIndirectW(&metrics.lfMessageFont));
}

}  // namespace

ReportListView::ReportListView(HWND parent, int id, const RECT& bounds, DWORD style, DWORD extendedStyle) : id_(id) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | style, bounds.left,
                            bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_)
        return;
    font_ = MessageFont();
    if (font_)
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    if (extendedStyle)
        ListView_SetExtendedListViewStyleEx(hwnd_, extendedStyle, extendedStyle);
}

ReportListView::~ReportListView() {
    // The parent may already have taken its children down with it.
    if (hwnd_ && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
}

int ReportListView::Count() const {
    return hwnd_ ? ListView_GetItemCount(hwnd_) : 0;
}

int ReportListView::ColumnCount() const {
    HWND header = ListView_GetHeader(hwnd_);
    return header ? Header_GetItemCount(header) : 0;
}

std::string ReportListView::Text(int row, int column) const {
    std::wstring buffer(256, L'\0');
    for (;;) {
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const auto length = static_cast<size_t>(
            SendMessageW(hwnd_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < buffer.size())
            return Narrow(std::wstring_view(buffer.data(), length));
        if (buffer.size() >= 65536)
            return Narrow(std::wstring_view(buffer.data(), length));
        buffer.resize(buffer.size() * 4);
    }
}

void ReportListView::SetText(int row, int column, const std::string& text) {
    std::wstring wide = Widen(text);
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(hwnd_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

bool ReportListView::IsSelected(int row) const {
    return (ListView_GetItemState(hwnd_, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void ReportListView::SetSelected(int row, bool selected) {
    ListView_SetItemState(hwnd_, row, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

std::vector<int> ReportListView::SelectedRows() const {
    std::vector<int> rows;
    for (int row = ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(hwnd_, row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

void ReportListView::DeleteRow(int row) {
    ListView_DeleteItem(hwnd_, row);
}

void ReportListView::Clear() {
    ListView_DeleteAllItems(hwnd_);
}

void ReportListView::BeginUpdate() {
    if (updates_++ == 0)
        SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
}

void ReportListView::EndUpdate() {
    if (updates_ > 0 && --updates_ == 0) {
        SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

void ReportListView::AddColumn(const std::string& header, int format) {
    std::wstring text = Widen(header);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = 50;
    column.pszText = text.data();
    column.iSubItem = ColumnCount();
    SendMessageW(hwnd_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column.iSubItem), reinterpret_cast<LPARAM>(&column));
}

LRESULT ReportListView::Notify(const NMHDR& header) {
    LRESULT result = 0;
    HandleNotify(header, result);
    return result;
}

std::string ReportListView::ColumnCaption(int column) const {
    wchar_t text[256] = {};
    LVCOLUMNW item = {};
    item.mask = LVCF_TEXT;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    if (!SendMessageW(hwnd_, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item)))
        return {};
    return Narrow(text);
}

void ReportListView::SetColumnCaption(int column, const std::string& caption) {
    std::wstring text = Widen(caption);
    LVCOLUMNW item = {};
    item.mask = LVCF_TEXT;
    item.pszText = text.data();
    SendMessageW(hwnd_, LVM_SETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    FitColumn(column);
}

void ReportListView::FitColumns() {
    const int columns = ColumnCount();
    for (int i = 0; i < columns; ++i)
        FitColumn(i);
}

void ReportListView::FitColumn(int column) {
    // Fitted to the texts alone: fitted with the header, the last column would stretch to the list's edge,
    // and past it once a vertical scroll bar takes room, which shows a needless horizontal one.
    ListView_SetColumnWidth(hwnd_, column, LVSCW_AUTOSIZE);
    const int needed = HeaderTextWidth(column) + kHeaderMargins;
    if (ListView_GetColumnWidth(hwnd_, column) < needed)
        ListView_SetColumnWidth(hwnd_, column, needed);
}

int ReportListView::HeaderTextWidth(int column) const {
    HWND header = ListView_GetHeader(hwnd_);
    const std::wstring text = Widen(ColumnCaption(column));
    if (!header || text.empty())
        return 0;
    // Measured in the header's own font, which is what draws it.
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(header, WM_GETFONT, 0, 0));
    const MemoryDC dc;
    const SelectScope selected(dc.Get(), font ? font : GetStockObject(SYSTEM_FONT));
    SIZE size = {};
    GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

int ReportListView::InsertRow(int row, const std::string& caption, int image, LPARAM data) {
    std::wstring text = Widen(caption);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM | (image >= 0 ? LVIF_IMAGE : 0);
    item.iItem = row;
    item.pszText = text.data();
    item.iImage = image;
    item.lParam = data;
    return static_cast<int>(SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

LPARAM ReportListView::RowData(int row) const {
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(hwnd_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

void ReportListView::SetRowData(int row, LPARAM data) {
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = data;
    SendMessageW(hwnd_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

}  // namespace widgets
