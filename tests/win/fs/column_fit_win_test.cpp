#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "fs_test_support.h"
#include "platform/win32/unicode.h"
#include "support/win/temp_folder.h"
#include "support/win/test_drives.h"
#include "widgets/disk_list_view.h"
#include "widgets/file_list_view.h"
#include "widgets/gdi.h"

using widgets::ReportListView;
using widgets::TDiskListView;
using widgets::TFileListView;

namespace {

// The room a header needs around its text: three edge widths on either side.
int HeaderMargins() {
    return 6 * GetSystemMetrics(SM_CXEDGE);
}

// A text's width in the font of the given control.
int TextWidth(HWND control, const std::string& text) {
    const std::wstring wide = platform::win32::Widen(text);
    const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
    const widgets::MemoryDC dc;
    const widgets::SelectScope selected(dc.Get(), font ? font : GetStockObject(SYSTEM_FONT));
    SIZE size = {};
    GetTextExtentPoint32W(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

int ColumnsWidth(const ReportListView& view) {
    int sum = 0;
    for (int column = 0; column < view.ColumnCount(); ++column)
        sum += ListView_GetColumnWidth(view.Handle(), column);
    return sum;
}

int ClientWidth(const ReportListView& view) {
    RECT client = {};
    GetClientRect(view.Handle(), &client);
    return client.right;
}

bool HasHorizontalScrollBar(const ReportListView& view) {
    return (GetWindowLongW(view.Handle(), GWL_STYLE) & WS_HSCROLL) != 0;
}

void ExpectHeadersFit(const ReportListView& view, const char* language) {
    const HWND header = ListView_GetHeader(view.Handle());
    for (int column = 0; column < view.ColumnCount(); ++column) {
        const std::string caption = view.ColumnCaption(column);
        EXPECT_LE(TextWidth(header, caption) + HeaderMargins(), ListView_GetColumnWidth(view.Handle(), column))
            << language << " header \"" << caption << "\" is cut off";
    }
}

}  // namespace

// Short rows leave the columns narrower than the list: no horizontal scroll bar, neither while few rows
// show nor once enough rows take a vertical one.
TEST(ColumnFit, FileListShowsNoHorizontalScrollBarWhileItsColumnsFit) {
    fs_test::ParentWindow parent;
    TFileListView view(parent.Handle(), 102, {10, 10, 700, 250});
    const fs::RowTexts row{"C:\\a.txt", "12", "Text", "2001/05/17", "   A", "", ""};
    for (const int rows : {0, 3, 60}) {
        while (view.Count() < rows)
            view.AddRow(row);
        view.FitColumns();
        ASSERT_LT(ColumnsWidth(view), ClientWidth(view)) << rows << " rows: the columns are meant to fit";
        EXPECT_FALSE(HasHorizontalScrollBar(view)) << rows << " rows";
    }
    // A row wider than the list does bring the scroll bar.
    fs::RowTexts wide = row;
    wide[0] = "C:\\" + std::string(200, 'w') + ".txt";
    view.AddRow(wide);
    view.FitColumns();
    EXPECT_GT(ColumnsWidth(view), ClientWidth(view));
    EXPECT_TRUE(HasHorizontalScrollBar(view));
}

TEST(ColumnFit, DriveListShowsNoHorizontalScrollBarWhileItsColumnFits) {
    testing_support::TempFolder folder;
    testing_support::TestDrive drive(testing_support::DriveType::Fixed, folder.Path());
    fs_test::ParentWindow parent;
    TDiskListView view(parent.Handle(), 101, {10, 10, 250, 150});
    view.RefreshDrives();
    ASSERT_GT(view.Count(), 0);
    ASSERT_LT(ColumnsWidth(view), ClientWidth(view));
    EXPECT_FALSE(HasHorizontalScrollBar(view));
}

// The headers, English or Finnish, never cut their texts off, on an empty list and on a filled one.
TEST(ColumnFit, HeadersFitTheirTextsInBothLanguages) {
    fs_test::ParentWindow parent;
    TFileListView files(parent.Handle(), 102, {10, 10, 700, 250});
    TDiskListView disks(parent.Handle(), 101, {10, 260, 250, 400});
    for (const bool finnish : {false, true, false}) {
        const char* language = finnish ? "Finnish" : "English";
        files.ShowColumnCaptions(finnish);
        disks.ShowColumnCaption(finnish);
        ExpectHeadersFit(files, language);
        ExpectHeadersFit(disks, language);
    }
    files.AddRow({"C:\\a.txt", "1", "T", "2001/05/17", "   A", "1", "1"});
    files.ShowColumnCaptions(true);
    ExpectHeadersFit(files, "Finnish");
}
