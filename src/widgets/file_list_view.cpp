#include "widgets/file_list_view.h"

#include <algorithm>

#include "fs/date_formats.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/shell_info.h"
#include "platform/version_info.h"

namespace widgets {
namespace {

struct ColumnSpec {
    const char* header;
    const char* finnishHeader;
    int format;
};
constexpr ColumnSpec kColumns[fs::kFileColumnCount] = {
    {"Name", "Nimi", LVCFMT_LEFT},
    {"Size", "Koko", LVCFMT_RIGHT},
    {"Type", "Tyyppi", LVCFMT_LEFT},
    {"Modified", "Muutettu", LVCFMT_LEFT},
    {"Attr", "Attr", LVCFMT_RIGHT},
    {"File Ver", "Tiedoston versio", LVCFMT_RIGHT},
    {"Prod Ver", "Tuotteen versio", LVCFMT_RIGHT},
};

std::string TrimBlanks(std::string text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

base::DateTime Now() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

struct SortContext {
    const std::vector<fs::RowTexts>* rows;
    const fs::SortOrder* order;
    const fs::RowCompareContext* compare;
};

int CALLBACK CompareByIndex(LPARAM a, LPARAM b, LPARAM data) {
    const auto& context = *reinterpret_cast<const SortContext*>(data);
    const auto& rows = *context.rows;
    return fs::CompareRows(rows[static_cast<size_t>(a)], rows[static_cast<size_t>(b)], *context.order,
                           *context.compare);
}

}  // namespace

TFileListView::TFileListView(HWND parent, int id, const RECT& bounds)
    : ReportListView(parent, id, bounds, 0, LVS_EX_FULLROWSELECT) {
    fs::UseFileListDateFormats();
    if (!Handle())
        return;
    for (const auto& column : kColumns)
        AddColumn(column.header, column.format);
    FitColumns();
}

bool TFileListView::AddFile(const std::string& path, uint64_t& size) {
    const auto entry = platform::SystemFileSystem().FindEntry(path);
    if (!entry)
        return false;
    auto type = platform::ShellTypeName(path);
    if (!type && path.size() >= MAX_PATH)
        type = platform::ShellTypeNameByName(entry->name, entry->attributes);  // the shell stops at MAX_PATH
    if (!type)
        return false;

    fs::RowTexts texts;
    texts[fs::kNameColumn] = path;
    texts[fs::kSizeColumn] = fs::SizeText(entry->size);
    texts[fs::kTypeColumn] = TrimBlanks(*type);
    texts[fs::kModifiedColumn] =
        fs::ModifiedText(platform::LocalDateTimeOf(entry->writeTime), platform::SystemFormatSettings());
    texts[fs::kAttrColumn] = fs::AttributeText(entry->attributes);
    const auto version = platform::ReadVersionResource(path);
    texts[fs::kFileVerColumn] = fs::FileVersionText(version.get(), "FileVersion");
    texts[fs::kProdVerColumn] = fs::FileVersionText(version.get(), "ProductVersion");
    if (AddRow(texts) < 0)
        return false;
    size = entry->size;
    return true;
}

void TFileListView::ShowColumnCaptions(bool finnish) {
    for (int column = 0; column < ColumnCount() && column < fs::kFileColumnCount; ++column)
        SetColumnCaption(column, finnish ? kColumns[column].finnishHeader : kColumns[column].header);
}

int TFileListView::AddRow(const fs::RowTexts& texts) {
    const int row = InsertRow(Count(), texts[0], -1, 0);
    if (row < 0)
        return row;
    for (int column = 1; column < fs::kFileColumnCount; ++column) {
        if (!texts[column].empty())
            SetText(row, column, texts[column]);
    }
    return row;
}

fs::RowTexts TFileListView::Row(int row) const {
    fs::RowTexts texts;
    for (int column = 0; column < fs::kFileColumnCount; ++column)
        texts[column] = Text(row, column);
    return texts;
}

std::string TFileListView::FileVersionText(const std::string& path, std::string_view name) {
    const auto version = platform::ReadVersionResource(path);
    return fs::FileVersionText(version.get(), name);
}

void TFileListView::SetSortOrder(int column, bool ascending) {
    order_.column = column;
    order_.ascending = ascending;
}

void TFileListView::Sort() {
    const int count = Count();
    if (count > 1) {
        // The comparison reads the cells from a snapshot keyed by each row's data, so the rows are
        // numbered for the sort and their own data is put back afterwards.
        std::vector<fs::RowTexts> rows(static_cast<size_t>(count));
        std::vector<LPARAM> saved(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            rows[static_cast<size_t>(i)] = Row(i);
            saved[static_cast<size_t>(i)] = RowData(i);
            SetRowData(i, i);
        }
        const fs::RowCompareContext compare{platform::LocaleTextOrder(), platform::SystemFormatSettings(), Now()};
        const SortContext context{&rows, &order_, &compare};
        ListView_SortItems(Handle(), CompareByIndex, reinterpret_cast<LPARAM>(&context));
        for (int i = 0; i < count; ++i) {
            const LPARAM original = RowData(i);
            if (original >= 0 && original < count)
                SetRowData(i, saved[static_cast<size_t>(original)]);
        }
    }
    FitColumns();
}

void TFileListView::ColumnClick(int column) {
    order_.Click(column);
    Sort();
}

bool TFileListView::HandleNotify(const NMHDR& header, LRESULT& result) {
    if (!IsMine(header))
        return false;
    result = 0;
    if (header.code == LVN_COLUMNCLICK)
        ColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
    else if (header.code == NM_CLICK && OnClick)
        OnClick(reinterpret_cast<const NMITEMACTIVATE&>(header));
    else if (header.code == LVN_ITEMCHANGED && OnUserSelectionChange && GetFocus() == Handle()) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uNewState ^ change.uOldState) & LVIS_SELECTED)
            OnUserSelectionChange();
    }
    return true;
}

}  // namespace widgets
