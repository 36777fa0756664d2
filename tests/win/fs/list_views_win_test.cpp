#include <windows.h>

#include <gtest/gtest.h>

#include "fs/date_formats.h"
#include "fs_test_support.h"
#include "platform/locale.h"
#include "platform/win32/extended_path.h"
#include "platform/win32/unicode.h"
#include "support/win/temp_folder.h"
#include "support/win/test_drives.h"
#include "widgets/disk_list_view.h"
#include "widgets/file_list_view.h"

using namespace testing_support;
using widgets::TDiskListView;
using widgets::TFileListView;

namespace {

constexpr RECT kPlace = {10, 10, 400, 300};

std::string ThisProgram() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::string result = platform::win32::Narrow(path);
    // With no drive onto the Linux root, Wine names a program outside the prefix "unix\..." without the
    // "\\?\" that makes it a usable path.
    if (result.rfind("unix\\", 0) == 0)
        result = "\\\\?\\" + result;
    return result;
}

std::vector<std::string> Column(const TFileListView& view, int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < view.Count(); ++row)
        texts.push_back(view.Text(row, column));
    return texts;
}

void ClickHeader(TFileListView& view, int column) {
    NMLISTVIEW click = {};
    click.hdr.hwndFrom = view.Handle();
    click.hdr.idFrom = static_cast<UINT_PTR>(view.Id());
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    LRESULT result = 0;
    ASSERT_TRUE(view.HandleNotify(click.hdr, result));
}

std::string Expected(const char* pattern) {
    // The Modified texts use the system's separators in place of "/" and ":".
    const auto settings = platform::SystemFormatSettings();
    std::string text = pattern;
    for (char& c : text) {
        if (c == '/')
            c = settings.dateSeparator;
        else if (c == ':')
            c = settings.timeSeparator;
    }
    return text;
}

}  // namespace

TEST(DiskListView, ListsDrivesAndSelectsFixedOnes) {
    TempFolder cdFolder;
    TempFolder netFolder;
    TempFolder fixedFolder;
    TestDrive cd(DriveType::CdRom, cdFolder.Path());
    TestDrive net(DriveType::Network, netFolder.Path());
    TestDrive fixed(DriveType::Fixed, fixedFolder.Path());

    fs_test::ParentWindow parent;
    TDiskListView view(parent.Handle(), 101, kPlace);
    int changes = 0;
    view.OnChange = [&](const NMLISTVIEW&) { ++changes; };
    parent.onNotify = [&](const NMHDR& header, LRESULT& result) { return view.HandleNotify(header, result); };
    ASSERT_EQ(view.ColumnCount(), 1);
    EXPECT_EQ(view.Count(), 0);  // empty until the owner fills it

    view.RefreshDrives();
    std::string letters;
    std::string expectedSelected;
    for (int row = 0; row < view.Count(); ++row) {
        const std::string letter = TDiskListView::DriveLetterOf(view.Text(row));
        ASSERT_EQ(letter.size(), 1u) << view.Text(row);
        letters += letter;
        const std::wstring root{static_cast<wchar_t>(letter[0]), L':', L'\\'};
        const bool isFixed = GetDriveTypeW(root.c_str()) == DRIVE_FIXED;
        EXPECT_EQ(view.IsSelected(row), isFixed) << view.Text(row);
        if (isFixed)
            expectedSelected += letter;
    }
    // In letter order, the harness's drives among them; C: and the fixed test drive chosen.
    EXPECT_TRUE(std::is_sorted(letters.begin(), letters.end())) << letters;
    for (char c : {'C', cd.Letter(), net.Letter(), fixed.Letter()})
        EXPECT_NE(letters.find(c), std::string::npos) << c << " missing from " << letters;
    EXPECT_NE(expectedSelected.find('C'), std::string::npos);
    EXPECT_NE(expectedSelected.find(fixed.Letter()), std::string::npos);
    EXPECT_EQ(expectedSelected.find(cd.Letter()), std::string::npos);
    EXPECT_EQ(expectedSelected.find(net.Letter()), std::string::npos);
    EXPECT_EQ(view.GetSelectedDrives(), expectedSelected);
    EXPECT_GT(changes, 0);  // the selection changes reached the owner

    // The user's choice: the CD and C:, in row order whatever the order of clicking.
    for (int row = 0; row < view.Count(); ++row)
        view.SetSelected(row, false);
    for (int row = view.Count() - 1; row >= 0; --row) {
        const std::string letter = TDiskListView::DriveLetterOf(view.Text(row));
        if (letter[0] == cd.Letter() || letter[0] == 'C')
            view.SetSelected(row, true);
    }
    EXPECT_EQ(view.GetSelectedDrives(), std::string("C") + cd.Letter());

    // Captions that put the letter first or leave it out still give the chosen drives.
    for (int row = 0; row < view.Count(); ++row)
        view.SetText(row, 0, row % 2 ? "Local Disk" : "(" + letters.substr(static_cast<size_t>(row), 1) + ":) Disk");
    EXPECT_EQ(view.GetSelectedDrives(), std::string("C") + cd.Letter());

    // A refill drops the choice; without SelectFixedDrives nothing is chosen.
    view.SelectFixedDrives = false;
    view.RefreshDrives();
    EXPECT_EQ(view.GetSelectedDrives(), "");
    EXPECT_EQ(view.Count(), static_cast<int>(letters.size()));
}

TEST(FileListView, RowsForFilesWithAndWithoutVersions) {
    TempFolder folder;
    fs::SetDateFormats("m/d/yyyy", "h:nn:ss");
    fs_test::ParentWindow parent;
    TFileListView view(parent.Handle(), 102, kPlace);
    EXPECT_EQ(fs::ShortDateFormat(), "yyyy/mm/dd");
    EXPECT_EQ(fs::LongTimeFormat(), "hh:nn");
    ASSERT_EQ(view.ColumnCount(), 7);
    EXPECT_EQ(view.SortColumn(), 1);
    EXPECT_TRUE(view.SortAscending());

    // This test program carries version information; a copy whose translation table is renamed has
    // version information without one.
    const std::string program = folder / "versioned.exe";
    const BOOL copied =
        CopyFileW(platform::win32::Widen(ThisProgram()).c_str(), platform::win32::Widen(program).c_str(), FALSE);
    ASSERT_TRUE(copied) << "[" << ThisProgram() << "] error " << GetLastError();
    std::string bytes;
    ASSERT_TRUE(ReadFile(program, bytes));
    const std::string marker(reinterpret_cast<const char*>(L"VarFileInfo"), 22);
    // Every occurrence, the program's own query texts included, so the resource's is surely among them.
    std::string patched = bytes;
    int renamed = 0;
    for (size_t at = patched.find(marker); at != std::string::npos; at = patched.find(marker, at + 1)) {
        patched[at] = 'W';  // "WarFileInfo"
        ++renamed;
    }
    ASSERT_GT(renamed, 0);
    WriteFile(folder / "untranslated.exe", patched);

    WriteFile(folder / "notes.txt", std::string(12345, 'n'));
    fs_test::SetLocalWriteTime(folder / "notes.txt", 2001, 5, 17, 14, 5);
    WriteFile(folder / "midnight.txt", "m");
    fs_test::SetLocalWriteTime(folder / "midnight.txt", 2001, 5, 17, 0, 0);
    fs_test::SetAttributes(folder / "midnight.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);

    uint64_t size = 99;
    ASSERT_TRUE(view.AddFile(program, size));
    EXPECT_EQ(size, bytes.size());
    ASSERT_TRUE(view.AddFile(folder / "untranslated.exe", size));
    ASSERT_TRUE(view.AddFile(folder / "notes.txt", size));
    EXPECT_EQ(size, 12345u);
    ASSERT_TRUE(view.AddFile(folder / "midnight.txt", size));
    size = 7;
    EXPECT_FALSE(view.AddFile(folder / "missing.txt", size));
    EXPECT_EQ(size, 7u);
    ASSERT_EQ(view.Count(), 4);

    const fs::RowTexts versioned = view.Row(0);
    EXPECT_EQ(versioned[0], program);
    EXPECT_EQ(versioned[1], std::to_string(bytes.size()));
    EXPECT_FALSE(versioned[2].empty());
    EXPECT_EQ(versioned[5], "1.5.0.0");
    EXPECT_EQ(versioned[6], "1.5");
    EXPECT_EQ(TFileListView::FileVersionText(program, "ProductVersion"), "1.5");
    EXPECT_EQ(TFileListView::FileVersionText(program, "NoSuchString"), "");

    const fs::RowTexts untranslated = view.Row(1);
    EXPECT_EQ(untranslated[5], "");
    EXPECT_EQ(untranslated[6], "");

    const fs::RowTexts notes = view.Row(2);
    EXPECT_EQ(notes[1], "12345");
    EXPECT_EQ(notes[3], Expected("2001/05/17 14:05"));
    EXPECT_EQ(notes[4], "   A");
    EXPECT_EQ(notes[2], notes[2].empty() ? "" : notes[2].substr(notes[2].find_first_not_of(' ')));

    const fs::RowTexts midnight = view.Row(3);
    EXPECT_EQ(midnight[3], Expected("2001/05/17"));
    EXPECT_EQ(midnight[4], "RH A");
}

TEST(FileListView, LongPathsGetRows) {
    TempFolder folder;
    std::string path = folder.Path();
    for (int i = 0; i < 5; ++i)
        path += std::string(55, static_cast<char>('p' + i)) + "\\";
    path += "long.txt";
    ASSERT_GT(path.size(), 280u);
    WriteFile(path, "0123456789");
    fs_test::ParentWindow parent;
    TFileListView view(parent.Handle(), 103, kPlace);
    uint64_t size = 0;
    ASSERT_TRUE(view.AddFile(path, size));
    EXPECT_EQ(size, 10u);
    EXPECT_EQ(view.Text(0, 0), path);
    EXPECT_FALSE(view.Text(0, 2).empty());
}

TEST(FileListView, SortingByHeaderClicks) {
    TempFolder folder;
    fs_test::ParentWindow parent;
    TFileListView view(parent.Handle(), 104, kPlace);
    int clicks = 0;
    view.OnClick = [&](const NMITEMACTIVATE&) { ++clicks; };

    const struct {
        const char* name;
        size_t size;
        WORD day, hour;
    } files[] = {{"b.txt", 300, 3, 10}, {"C.txt", 20, 1, 0}, {"a.txt", 4000, 2, 23}};
    for (const auto& f : files) {
        WriteFile(folder / f.name, std::string(f.size, 'x'));
        fs_test::SetLocalWriteTime(folder / f.name, 2020, 1, f.day, f.hour, 30);
        uint64_t size = 0;
        ASSERT_TRUE(view.AddFile(folder / f.name, size));
    }
    fs::RowTexts odd;
    odd[0] = folder / "odd.txt";
    odd[1] = "lots";
    odd[3] = "yesterday";  // does not read back: counts as now
    view.AddRow(odd);

    const auto names = [&] {
        std::vector<std::string> result;
        for (const auto& path : Column(view, 0))
            result.push_back(path.substr(folder.Path().size()));
        return result;
    };
    ClickHeader(view, 1);  // a fresh list sorts by Size ascending already: the first click turns it round
    EXPECT_FALSE(view.SortAscending());
    EXPECT_EQ(names(), (std::vector<std::string>{"a.txt", "b.txt", "C.txt", "odd.txt"}));
    ClickHeader(view, 1);
    EXPECT_EQ(names(), (std::vector<std::string>{"odd.txt", "C.txt", "b.txt", "a.txt"}));
    ClickHeader(view, 0);
    EXPECT_TRUE(view.SortAscending());
    EXPECT_EQ(names(), (std::vector<std::string>{"a.txt", "b.txt", "C.txt", "odd.txt"}));
    ClickHeader(view, 3);
    EXPECT_EQ(names(), (std::vector<std::string>{"C.txt", "a.txt", "b.txt", "odd.txt"}));
    ClickHeader(view, 3);
    EXPECT_EQ(names(), (std::vector<std::string>{"odd.txt", "b.txt", "a.txt", "C.txt"}));

    // Rows added after a sort go to the end until the next one.
    uint64_t size = 0;
    WriteFile(folder / "0.txt", "");
    ASSERT_TRUE(view.AddFile(folder / "0.txt", size));
    EXPECT_EQ(names().back(), "0.txt");
    view.SetSortOrder(0, true);
    view.Sort();
    EXPECT_EQ(names().front(), "0.txt");

    NMITEMACTIVATE click = {};
    click.hdr.hwndFrom = view.Handle();
    click.hdr.code = NM_CLICK;
    LRESULT result = 0;
    EXPECT_TRUE(view.HandleNotify(click.hdr, result));
    click.hdr.hwndFrom = parent.Handle();
    EXPECT_FALSE(view.HandleNotify(click.hdr, result));
    EXPECT_EQ(clicks, 1);
}
