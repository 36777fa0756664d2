#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "fs/file_rows.h"
#include "widgets/report_list_view.h"

namespace widgets {

// Files, one row each, with the columns Name, Size, Type, Modified, Attr, File Ver and Prod Ver. Creating
// one sets the program's date formats to "yyyy/mm/dd" and "hh:nn". Rows are sorted only when the owner
// calls Sort or the user clicks a header; rows added later go to the end until the next sort.
class TFileListView : public ReportListView {
  public:
    TFileListView(HWND parent, int id, const RECT& bounds);

    // Adds one row for the file and gives its size; false, with no row, when the file cannot be found or
    // the shell has no type name for it.
    bool AddFile(const std::string& path, uint64_t& size);
    // The column headers in English or in Finnish.
    void ShowColumnCaptions(bool finnish);
    // A row the owner made itself (any cell may be empty); returns its index.
    int AddRow(const fs::RowTexts& texts);
    fs::RowTexts Row(int row) const;

    // One version string ("FileVersion", "ProductVersion") of a file, empty when it has none.
    static std::string FileVersionText(const std::string& path, std::string_view name);

    int SortColumn() const { return order_.column; }
    bool SortAscending() const { return order_.ascending; }
    void SetSortOrder(int column, bool ascending);
    // Sorts the rows once by the current order and fits the columns to their texts.
    void Sort();
    // What a header click does: the same column turns the direction round, another sorts ascending by it.
    void ColumnClick(int column);

    // The owner forwards its WM_NOTIFY here; true when the notification was this control's.
    bool HandleNotify(const NMHDR& header, LRESULT& result);

    // The list's click notification, as the control sent it.
    std::function<void(const NMITEMACTIVATE&)> OnClick;
    // A row chosen or let go by the user, with the mouse or the keyboard (not by the program).
    std::function<void()> OnUserSelectionChange;

  private:
    fs::SortOrder order_;
};

}  // namespace widgets
