#include "widgets/folder_list_box.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "platform/exact_path.h"
#include "platform/file_system.h"
#include "platform/win32/extended_path.h"
#include "platform/win32/unicode.h"
#include "widgets/error_hook.h"

namespace widgets {
namespace {

using platform::win32::Widen;

constexpr int kIndent = 10;  // design pixels per level
constexpr int kGlyph = 16;

std::vector<std::string> FoldersBelowRoot(const std::string& directory) {
    std::vector<std::string> names;
    const std::string rest = directory.substr(std::min(directory.size(), platform::PlainRoot(directory).size()));
    size_t start = 0;
    while (start < rest.size()) {
        const size_t end = std::min(rest.find('\\', start), rest.size());
        if (end > start)
            names.push_back(rest.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

// The full form of a folder name, without a trailing backslash except at a root. Names are kept exactly as
// given ("a." is not "a"), so a line of the box opens the folder it shows.
std::string Normalized(const std::string& folder) {
    const std::string current = platform::NeedsCurrentDirectory(folder) ? platform::win32::CurrentDirectoryText() : "";
    return platform::PlainPath(platform::ExtendedPath(folder, current));
}

bool ByNameIgnoringCase(const std::string& a, const std::string& b) {
    const std::wstring wa = Widen(a), wb = Widen(b);
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                          static_cast<int>(wb.size())) == CSTR_LESS_THAN;
}

// The subfolders of a folder in name order; nothing when the folder cannot be listed.
std::optional<std::vector<std::string>> SubfoldersOf(const std::string& folder) {
    std::vector<std::string> names;
    const bool listed = platform::SystemFileSystem().ForEachEntry(folder, [&](const platform::DirEntry& entry) {
        if (entry.attributes & platform::attr::kDirectory)
            names.push_back(entry.name);
    });
    if (!listed)
        return std::nullopt;
    std::sort(names.begin(), names.end(), ByNameIgnoringCase);
    return names;
}

void DrawFolderGlyph(HDC dc, int left, int top, int size, bool open) {
    const COLORREF fill = open ? RGB(255, 236, 160) : RGB(250, 208, 90);
    Pen pen(CreatePen(PS_SOLID, 1, RGB(160, 120, 30)));
    Brush brush(CreateSolidBrush(fill));
    SelectScope usePen(dc, pen.Get());
    SelectScope useBrush(dc, brush.Get());
    const int tab = size * 3 / 8;
    Rectangle(dc, left + 1, top + size / 8, left + tab + 2, top + size / 4 + 1);
    Rectangle(dc, left + 1, top + size / 4, left + size - 1, top + size * 7 / 8);
}

}  // namespace

std::vector<FolderRow> FolderRowsOf(const std::string& directory, const std::vector<std::string>& subfolders) {
    std::vector<FolderRow> rows;
    const std::string root = platform::PlainRoot(directory);
    if (root.empty())
        return rows;
    rows.push_back({root, 0, true});
    int indent = 1;
    for (const std::string& name : FoldersBelowRoot(directory))
        rows.push_back({name, indent++, true});
    for (const std::string& name : subfolders)
        rows.push_back({name, indent, false});
    return rows;
}

std::string FolderOfRow(const std::string& directory, const std::vector<FolderRow>& rows, size_t row) {
    if (row >= rows.size())
        return {};
    if (!rows[row].open)
        return directory + (directory.back() == '\\' ? "" : "\\") + rows[row].name;
    std::string folder = rows[0].name;
    for (size_t i = 1; i <= row; ++i)
        folder += (i > 1 ? "\\" : "") + rows[i].name;
    return folder;
}

TFolderListBox::TFolderListBox(HWND parent, int id, const RECT& bounds, UINT dpi) : dpi_(dpi ? dpi : 96) {
    hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                                LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                            bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_)
        return;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font_ = Font(CreateFontIndirectW(&metrics.lfMessageFont));
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, MulDiv(kGlyph + 2, static_cast<int>(dpi_), 96));
    SetWindowSubclass(hwnd_, ListProc, 1, reinterpret_cast<DWORD_PTR>(this));
    parentHook_ =
        std::make_unique<ParentHook>(parent, [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            if (!ParentMessage(message, wParam, lParam))
                return false;
            if (message == WM_CTLCOLORLISTBOX)
                result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            else
                result = message == WM_DRAWITEM ? TRUE : 0;
            return true;
        });
    const std::string current = platform::SystemFileSystem().CurrentDirectory();
    if (!SetDirectory(current))
        SetDirectory("C:\\");
}

TFolderListBox::~TFolderListBox() {
    parentHook_.reset();
    if (hwnd_ && IsWindow(hwnd_)) {
        RemoveWindowSubclass(hwnd_, ListProc, 1);
        DestroyWindow(hwnd_);
    }
}

bool TFolderListBox::SetDirectory(const std::string& folder) {
    const std::string full = Normalized(folder);
    if (full.empty() || platform::PlainRoot(full).empty())
        return false;
    const auto subfolders = SubfoldersOf(full);
    if (!subfolders || !SetCurrentDirectoryW(Widen(platform::CurrentDirectoryForm(full, MAX_PATH - 1)).c_str()))
        return false;
    directory_ = full;
    if (const char drive = Drive())
        lastFolderOfDrive_[drive] = directory_;
    rows_ = FolderRowsOf(directory_, *subfolders);
    Fill();
    if (OnDriveShown)
        OnDriveShown(Drive());
    return true;
}

bool TFolderListBox::OpenFolder(const std::string& folder) {
    if (!SetDirectory(folder))
        return false;
    if (OnChange)
        OnChange();
    return true;
}

char TFolderListBox::Drive() const {
    if (directory_.size() < 2 || directory_[1] != ':')
        return 0;
    return static_cast<char>(std::toupper(static_cast<unsigned char>(directory_[0])));
}

bool TFolderListBox::ChooseDrive(char letter) {
    letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    if (Drive() == letter)
        return true;
    const auto last = lastFolderOfDrive_.find(letter);
    if (last != lastFolderOfDrive_.end() && OpenFolder(last->second))
        return true;
    const std::string drive = std::string(1, letter) + ":";
    return OpenFolder(Normalized(drive)) || OpenFolder(drive + "\\");
}

bool TFolderListBox::OpenRow(size_t row) {
    const std::string folder = FolderOfRow(directory_, rows_, row);
    return !folder.empty() && OpenFolder(folder);
}

void TFolderListBox::Fill() {
    if (!hwnd_)
        return;
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
    int current = 0;
    for (size_t i = 0; i < rows_.size(); ++i) {
        SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(rows_[i].name).c_str()));
        if (rows_[i].open)
            current = static_cast<int>(i);
    }
    SendMessageW(hwnd_, LB_SETCURSEL, current, 0);
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void TFolderListBox::DrawRow(const DRAWITEMSTRUCT& item) const {
    const bool selected = item.itemState & ODS_SELECTED;
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID >= rows_.size())
        return;
    const FolderRow& row = rows_[item.itemID];
    const int glyph = MulDiv(kGlyph, static_cast<int>(dpi_), 96);
    const int left = item.rcItem.left + 2 + MulDiv(kIndent * row.indent, static_cast<int>(dpi_), 96);
    const int height = item.rcItem.bottom - item.rcItem.top;
    DrawFolderGlyph(dc, left, item.rcItem.top + (height - glyph) / 2, glyph, row.open);
    RECT text = item.rcItem;
    text.left = left + glyph + 4;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const std::wstring name = Widen(row.name);
    DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &item.rcItem);
}

LRESULT CALLBACK
TFolderListBox::ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR owner) {
    auto* box = reinterpret_cast<TFolderListBox*>(owner);
    try {
        if (message == WM_GETDLGCODE && wParam == VK_RETURN)
            return DLGC_WANTALLKEYS;
        if (message == WM_KEYDOWN && wParam == VK_RETURN) {
            const LRESULT row = SendMessageW(hwnd, LB_GETCURSEL, 0, 0);
            if (row != LB_ERR)
                box->OpenRow(static_cast<size_t>(row));
            return 0;
        }
        if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(hwnd, ListProc, 1);
            box->hwnd_ = nullptr;
        }
    } catch (...) {
        ReportEscapedError();
        return 0;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

bool TFolderListBox::ParentMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!hwnd_)
        return false;
    // The list's own background, not the panel's that the window gives its other controls.
    if (message == WM_CTLCOLORLISTBOX && reinterpret_cast<HWND>(lParam) == hwnd_)
        return true;
    if (message == WM_DRAWITEM && reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem == hwnd_) {
        DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return true;
    }
    if (message != WM_COMMAND || reinterpret_cast<HWND>(lParam) != hwnd_ || HIWORD(wParam) != LBN_DBLCLK)
        return false;
    const LRESULT row = SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
    if (row != LB_ERR)
        OpenRow(static_cast<size_t>(row));
    return true;
}

}  // namespace widgets
