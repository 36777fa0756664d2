#include "widgets/string_align_grid.h"

#include <algorithm>

#include "platform/win32/unicode.h"

namespace widgets {
namespace {

using platform::win32::Narrow;
using platform::win32::Widen;

constexpr UINT_PTR kSubclassId = 0x6752;  // "gR"

int FormatOf(CellAlign align) {
    switch (align) {
        case CellAlign::Center:
            return LVCFMT_CENTER;
        case CellAlign::Right:
            return LVCFMT_RIGHT;
        case CellAlign::Left:
            break;
    }
    return LVCFMT_LEFT;
}

UINT DrawFlagsOf(CellAlign align) {
    switch (align) {
        case CellAlign::Center:
            return DT_CENTER;
        case CellAlign::Right:
            return DT_RIGHT;
        case CellAlign::Left:
            break;
    }
    return DT_LEFT;
}

// Drawing held off over a run of changes to many rows: the list view would otherwise work out and
// invalidate each row on its own.
class RedrawOff {
  public:
    explicit RedrawOff(HWND hwnd) : hwnd_(hwnd) { SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0); }
    ~RedrawOff() {
        SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
    RedrawOff(const RedrawOff&) = delete;
    RedrawOff& operator=(const RedrawOff&) = delete;

  private:
    HWND hwnd_;
};

}  // namespace

const std::wstring TStringAlignGrid::kEmpty;

TStringAlignGrid::TStringAlignGrid(HWND parent, int id, const RECT& bounds, UINT dpi, int designRowHeight)
    : dpi_(dpi), designRowHeight_(designRowHeight) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT | LVS_OWNERDATA |
                                LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                            bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_)
        return;
    ListView_SetExtendedListViewStyleEx(hwnd_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                                        LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    SetWindowSubclass(hwnd_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    FitRowHeight();
}

TStringAlignGrid::~TStringAlignGrid() {
    if (hwnd_ && IsWindow(hwnd_)) {
        RemoveWindowSubclass(hwnd_, SubclassProc, kSubclassId);
        DestroyWindow(hwnd_);
    }
    if (heightList_)
        ImageList_Destroy(heightList_);
}

void TStringAlignGrid::SetColumns(std::span<const int> designWidths) {
    while (ListView_DeleteColumn(hwnd_, 0)) {
    }
    widths_.assign(designWidths.begin(), designWidths.end());
    colAligns_.assign(widths_.size(), CellAlign::Left);
    headers_.assign(widths_.size(), std::wstring());
    for (auto& row : rows_) {
        row.cells.resize(widths_.size());
        if (!row.aligns.empty())
            row.aligns.resize(widths_.size(), CellAlign::Left);
    }
    for (size_t i = 0; i < widths_.size(); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH | LVCF_FMT | LVCF_TEXT;
        column.fmt = LVCFMT_LEFT;
        column.cx = MulDiv(widths_[i], static_cast<int>(dpi_), 96);
        column.pszText = const_cast<wchar_t*>(L"");
        ListView_InsertColumn(hwnd_, static_cast<int>(i), &column);
    }
}

int TStringAlignGrid::ColWidth(int col) const {
    return ListView_GetColumnWidth(hwnd_, col);
}

void TStringAlignGrid::SetColWidth(int col, int designWidth) {
    if (col < 0 || col >= ColCount())
        return;
    widths_[col] = designWidth;
    ListView_SetColumnWidth(hwnd_, col, MulDiv(designWidth, static_cast<int>(dpi_), 96));
}

void TStringAlignGrid::SetColAlignment(int col, CellAlign align) {
    if (col < 0 || col >= ColCount())
        return;
    colAligns_[col] = align;
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void TStringAlignGrid::FitColWidthTo(int col, std::string_view text) {
    if (col < 0 || col >= ColCount())
        return;
    const std::wstring wide = Widen(text);
    HDC dc = GetDC(hwnd_);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    RECT rect{0, 0, 0, 0};
    {
        SelectScope select(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    }
    ReleaseDC(hwnd_, dc);
    const int needed = rect.right + 2 * MulDiv(3, static_cast<int>(dpi_), 96) + 2;
    if (needed > ColWidth(col))
        ListView_SetColumnWidth(hwnd_, col, needed);
}

void TStringAlignGrid::SetRowCount(int count) {
    const size_t results = static_cast<size_t>(std::max(count, kFixedRows) - kFixedRows);
    if (results == rows_.size())
        return;
    const size_t old = rows_.size();
    rows_.resize(results);
    for (size_t i = old; i < results; ++i)
        rows_[i].cells.resize(widths_.size());
    ListView_SetItemCountEx(hwnd_, static_cast<int>(results), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

const std::wstring* TStringAlignGrid::CellText(int col, int row) const {
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount())
        return nullptr;
    if (row < kFixedRows)
        return &headers_[col];
    return &rows_[row - kFixedRows].cells[col];
}

std::string TStringAlignGrid::Cell(int col, int row) const {
    const std::wstring* text = CellText(col, row);
    return text ? Narrow(*text) : std::string();
}

void TStringAlignGrid::SetCell(int col, int row, std::string_view text) {
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount())
        return;
    if (row < kFixedRows) {
        headers_[col] = Widen(text);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = headers_[col].data();
        ListView_SetColumn(hwnd_, col, &column);
        return;
    }
    rows_[row - kFixedRows].cells[col] = Widen(text);
    const int item = row - kFixedRows;
    if (ItemVisible(item))
        ListView_RedrawItems(hwnd_, item, item);
}

void TStringAlignGrid::SetRow(int row, std::span<const std::string> cells) {
    if (row < kFixedRows || row >= RowCount())
        return;
    auto& target = rows_[row - kFixedRows].cells;
    for (size_t col = 0; col < target.size() && col < cells.size(); ++col)
        target[col] = Widen(cells[col]);
    const int item = row - kFixedRows;
    if (ItemVisible(item))
        ListView_RedrawItems(hwnd_, item, item);
}

// Whether the item is on screen: only those need drawing again when their text changes.
bool TStringAlignGrid::ItemVisible(int item) const {
    const int top = ListView_GetTopIndex(hwnd_);
    return item >= top && item <= top + rowsPerPage_ + 1;
}

void TStringAlignGrid::CountRowsPerPage() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    rowsPerPage_ = rowHeight_ > 0 ? (client.bottom - client.top) / rowHeight_ + 1 : 1000;
}

CellAlign TStringAlignGrid::AlignOf(int col, int row) const {
    if (row >= kFixedRows && row < RowCount()) {
        const auto& aligns = rows_[row - kFixedRows].aligns;
        if (!aligns.empty())
            return aligns[col];
    }
    return colAligns_[col];
}

CellAlign TStringAlignGrid::Alignment(int col, int row) const {
    if (col < 0 || col >= ColCount())
        return CellAlign::Left;
    return AlignOf(col, row);
}

void TStringAlignGrid::SetAlignment(int col, int row, CellAlign align) {
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount())
        return;
    if (row < kFixedRows) {
        // The header cells keep their own alignment in the header control.
        LVCOLUMNW column{};
        column.mask = LVCF_FMT;
        column.fmt = FormatOf(align);
        if (col > 0)
            ListView_SetColumn(hwnd_, col, &column);
        return;
    }
    auto& aligns = rows_[row - kFixedRows].aligns;
    if (aligns.empty())
        aligns = colAligns_;
    aligns[col] = align;
    ListView_RedrawItems(hwnd_, row - kFixedRows, row - kFixedRows);
}

GridRect TStringAlignGrid::Selection() const {
    const int first = ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED);
    if (first < 0 || first >= static_cast<int>(rows_.size()))
        return GridRect{0, 0, ColCount() - 1, -1};
    const int results = static_cast<int>(rows_.size());
    // Everything selected (Select all) is common and long lists make asking row by row slow.
    if (static_cast<int>(ListView_GetSelectedCount(hwnd_)) == results)
        return GridRect{0, kFixedRows, ColCount() - 1, results - 1 + kFixedRows};
    // Only the run that starts at the first selected row: a row between two chosen ones is not chosen.
    int last = first;
    while (last + 1 < results && (ListView_GetItemState(hwnd_, last + 1, LVIS_SELECTED) & LVIS_SELECTED) != 0)
        ++last;
    return GridRect{0, first + kFixedRows, ColCount() - 1, last + kFixedRows};
}

std::vector<int> TStringAlignGrid::SelectedRows() const {
    std::vector<int> rows;
    const int results = static_cast<int>(rows_.size());
    if (results > 0 && static_cast<int>(ListView_GetSelectedCount(hwnd_)) == results) {
        for (int row = kFixedRows; row < results + kFixedRows; ++row)
            rows.push_back(row);
        return rows;
    }
    for (int item = ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED); item >= 0 && item < static_cast<int>(rows_.size());
         item = ListView_GetNextItem(hwnd_, item, LVNI_SELECTED))
        rows.push_back(item + kFixedRows);
    return rows;
}

void TStringAlignGrid::ClearSelection() {
    if (ListView_GetSelectedCount(hwnd_) == 0)
        return;
    RedrawOff quiet(hwnd_);
    ListView_SetItemState(hwnd_, -1, 0, LVIS_SELECTED);
}

void TStringAlignGrid::SetSelection(const GridRect& rect) {
    const int results = static_cast<int>(rows_.size());
    const int top = std::max(rect.top, kFixedRows) - kFixedRows;
    const int bottom = std::min(rect.bottom - kFixedRows, results - 1);
    ClearSelection();
    if (results == 0 || top > bottom)
        return;
    RedrawOff quiet(hwnd_);
    if (top == 0 && bottom == results - 1) {
        ListView_SetItemState(hwnd_, -1, LVIS_SELECTED, LVIS_SELECTED);
    } else {
        for (int item = top; item <= bottom; ++item)
            ListView_SetItemState(hwnd_, item, LVIS_SELECTED, LVIS_SELECTED);
    }
    ListView_SetItemState(hwnd_, top, LVIS_FOCUSED, LVIS_FOCUSED);
    ListView_SetSelectionMark(hwnd_, top);
}

void TStringAlignGrid::DeleteRows(std::vector<int> rows) {
    std::vector<bool> gone(rows_.size(), false);
    bool any = false;
    for (const int row : rows) {
        const int item = row - kFixedRows;
        if (item >= 0 && item < static_cast<int>(rows_.size())) {
            gone[item] = true;
            any = true;
        }
    }
    if (!any)
        return;
    // One pass, so removing many rows of a long list costs no more than one move of each row.
    size_t kept = 0;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (gone[i])
            continue;
        if (kept != i)
            rows_[kept] = std::move(rows_[i]);
        ++kept;
    }
    rows_.resize(kept);
    ClearSelection();
    RedrawOff quiet(hwnd_);
    ListView_SetItemCountEx(hwnd_, static_cast<int>(rows_.size()), LVSICF_NOSCROLL);
}

void TStringAlignGrid::ScrollIntoView(int row) {
    const int item = row - kFixedRows;
    if (item >= 0 && item < static_cast<int>(rows_.size()))
        ListView_EnsureVisible(hwnd_, item, FALSE);
}

int TStringAlignGrid::CurrentItemHeight() const {
    // The height of a report row, measured from the control itself.
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    const bool hadRows = !rows_.empty();
    if (!hadRows)
        ListView_SetItemCountEx(hwnd_, 1, LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    const bool got = SendMessageW(hwnd_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect)) != 0;
    if (!hadRows)
        ListView_SetItemCountEx(hwnd_, 0, LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    return got ? rect.bottom - rect.top : 0;
}

// A report view's rows are as high as the taller of its font and its small images; an empty image list
// of the right height gives rows of exactly the wanted height.
void TStringAlignGrid::FitRowHeight() {
    const int wanted = MulDiv(designRowHeight_, static_cast<int>(dpi_), 96);
    int imageHeight = wanted;
    for (int attempt = 0; attempt < 3; ++attempt) {
        HIMAGELIST list = ImageList_Create(1, std::max(imageHeight, 1), ILC_COLOR32, 0, 1);
        ListView_SetImageList(hwnd_, list, LVSIL_SMALL);
        if (heightList_)
            ImageList_Destroy(heightList_);
        heightList_ = list;
        const int height = CurrentItemHeight();
        if (height == wanted || height == 0)
            break;
        imageHeight -= height - wanted;
    }
    rowHeight_ = CurrentItemHeight();
    CountRowsPerPage();
}

LRESULT TStringAlignGrid::Notify(const NMHDR& header) {
    if (header.hwndFrom != hwnd_)
        return 0;
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            auto& info = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header));
            if (info.item.mask & LVIF_TEXT) {
                const std::wstring* text = CellText(info.item.iSubItem, info.item.iItem + kFixedRows);
                info.item.pszText = const_cast<wchar_t*>(text ? text->c_str() : kEmpty.c_str());
            }
            if (info.item.mask & LVIF_IMAGE)
                info.item.iImage = I_IMAGENONE;
            return 0;
        }
        case NM_CUSTOMDRAW:
            return CustomDraw(const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header)));
        default:
            return 0;
    }
}

LRESULT TStringAlignGrid::CustomDraw(NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            DrawRow(draw.nmcd.hdc, static_cast<int>(draw.nmcd.dwItemSpec));
            return CDRF_SKIPDEFAULT;
        default:
            return CDRF_DODEFAULT;
    }
}

// Every cell drawn here: its own alignment, the selection over the whole row, a line between the
// columns and none between the rows.
void TStringAlignGrid::DrawRow(HDC dc, int item) {
    if (item < 0 || item >= static_cast<int>(rows_.size()))
        return;
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    if (!SendMessageW(hwnd_, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&bounds)))
        return;
    const bool selected = (ListView_GetItemState(hwnd_, item, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    const bool focused = GetFocus() == hwnd_;
    COLORREF back = GetSysColor(COLOR_WINDOW);
    COLORREF fore = GetSysColor(COLOR_WINDOWTEXT);
    // The chosen rows stay plainly marked while a button has the focus: they are what Delete removes.
    if (selected) {
        back = GetSysColor(COLOR_HIGHLIGHT);
        fore = GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    Brush backBrush(CreateSolidBrush(back));
    FillRect(dc, &bounds, backBrush.Get());

    HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    SelectScope selectFont(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, fore);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const COLORREF line = RGB((GetRValue(shadow) + GetRValue(window)) / 2, (GetGValue(shadow) + GetGValue(window)) / 2,
                              (GetBValue(shadow) + GetBValue(window)) / 2);
    Pen linePen(CreatePen(PS_SOLID, 1, line));
    SelectScope selectPen(dc, linePen.Get());
    const int padding = MulDiv(3, static_cast<int>(dpi_), 96);
    const Row& row = rows_[item];
    int x = bounds.left;
    for (int col = 0; col < ColCount(); ++col) {
        const int width = ListView_GetColumnWidth(hwnd_, col);
        RECT cell{x, bounds.top, x + width, bounds.bottom};
        RECT text{cell.left + padding, cell.top, cell.right - padding, cell.bottom};
        const std::wstring& value = row.cells[col];
        if (!value.empty())
            DrawTextW(dc, value.c_str(), static_cast<int>(value.size()), &text,
                      DrawFlagsOf(AlignOf(col, item + kFixedRows)) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX |
                          DT_END_ELLIPSIS);
        MoveToEx(dc, cell.right - 1, cell.top, nullptr);
        LineTo(dc, cell.right - 1, cell.bottom);
        x += width;
    }
    if (focused && (ListView_GetItemState(hwnd_, item, LVIS_FOCUSED) & LVIS_FOCUSED)) {
        RECT focus{bounds.left, bounds.top, x, bounds.bottom};
        ::SetTextColor(dc, RGB(0, 0, 0));
        DrawFocusRect(dc, &focus);
    }
}

LRESULT CALLBACK
TStringAlignGrid::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* grid = reinterpret_cast<TStringAlignGrid*>(data);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            // Ctrl-click would pick rows one by one; the selection is one block of rows.
            wParam &= ~static_cast<WPARAM>(MK_CONTROL);
            break;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE && (GetKeyState(VK_CONTROL) & 0x8000))
                return 0;
            break;
        case WM_SETFONT: {
            const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
            grid->FitRowHeight();
            return result;
        }
        case WM_SIZE:
            grid->CountRowsPerPage();
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
            grid->hwnd_ = nullptr;
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace widgets
