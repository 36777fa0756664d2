#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "base/texts.h"
#include "duplicates/duplicates_window.h"
#include "duplicates/list_files.h"
#include "fs/file_rows.h"
#include "platform/ansi_codec.h"
#include "platform/file_store.h"
#include "platform/program_folder.h"
#include "platform/win32/extended_path.h"
#include "platform/win32/unicode.h"
#include "support/win/temp_folder.h"
#include "support/win/test_drives.h"
#include "support/win/window_driver.h"
#include "widgets/control_views.h"
#include "widgets/dialogs.h"

namespace {

using duplicates::TKaksoisIkkuna;
using platform::win32::Widen;
using testing_support::Click;
using testing_support::DriveType;
using testing_support::TempFolder;
using testing_support::TestDrive;
using widgets::ScriptedDialogs;

const char kHeader[] = "Duplicate files.....";

bool Exists(const std::string& path) {
    return GetFileAttributesW(platform::win32::ExactPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The window on a test drive of its own, with its settings in a folder of the test's.
class DuplicatesWindow : public ::testing::Test {
  protected:
    DuplicatesWindow() : drive(DriveType::Fixed, tree.Path()), scope(dialogs) {
        base::SetFinnishUI(false);
        platform::SetProgramFolderForTests(program.Path());
        // Lists of an earlier test would be offered again at the first showing.
        for (const char* name :
             {duplicates::kDuplicateListName, duplicates::kDuplicatePathsName, duplicates::kSkipListName})
            DeleteFileW(Widen(platform::SettingsFolder() + name).c_str());
    }
    ~DuplicatesWindow() override {
        window.reset();
        platform::SetProgramFolderForTests("");
        base::SetFinnishUI(false);
    }

    void Open() {
        Make();
        ShowFirstTime();
    }
    // Made at the program's start, before the language is known.
    void Make() {
        window = std::make_unique<TKaksoisIkkuna>();
        window->Switches.CheckFileStamp = false;
    }
    void ShowFirstTime() {
        window->Show();
        // The reload questions come 100 ms after the showing; the drive list is filled after them.
        for (int waited = 0; !window->FirstShowingDone() && waited < 100; ++waited)
            testing_support::Pump(100);
        ASSERT_TRUE(window->FirstShowingDone());
        ChooseOnlyTestDrive();
    }
    void ChooseOnlyTestDrive() { ChooseDrives(std::string(1, drive.Letter())); }
    // Selects exactly the drives with these letters, given in list order.
    void ChooseDrives(const std::string& letters) {
        auto& disks = window->DiskListView1();
        for (int row = 0; row < disks.Count(); ++row)
            disks.SetSelected(row, false);
        for (int row = 0; row < disks.Count(); ++row) {
            disks.SetSelected(row, true);
            const std::string now = disks.GetSelectedDrives();
            if (now.empty() || letters.find(now.back()) == std::string::npos)
                disks.SetSelected(row, false);
        }
        ASSERT_EQ(disks.GetSelectedDrives(), letters) << "a test drive is not listed";
    }
    std::string At(const std::string& relative) const { return drive.Root() + relative; }
    void Write(const std::string& relative, const std::string& bytes) {
        testing_support::WriteFile(tree / relative, bytes);
    }
    void Search() { Click(*window, "Search"); }

    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        auto& files = window->FileListView1();
        for (int row = 0; row < files.Count(); ++row)
            captions.push_back(files.Text(row));
        return captions;
    }
    int RowOf(const std::string& caption) const {
        const auto captions = Captions();
        for (size_t row = 0; row < captions.size(); ++row) {
            if (captions[row] == caption)
                return static_cast<int>(row);
        }
        return -1;
    }
    void DeleteRow(const std::string& caption) {
        auto& files = window->FileListView1();
        const int row = RowOf(caption);
        ASSERT_GE(row, 0) << caption;
        for (int other = 0; other < files.Count(); ++other)
            files.SetSelected(other, other == row);
        window->btnDeleteClick();
    }

    TempFolder program;
    TempFolder tree;
    TestDrive drive;
    ScriptedDialogs dialogs;
    widgets::ScopedDialogs scope;
    testing_support::FailOnEscapedErrors failOnErrors;
    std::unique_ptr<TKaksoisIkkuna> window;
};

TEST_F(DuplicatesWindow, FindListsOneGroupOfThreeAndNamesTheDrivesInTheCaption) {
    const std::string thousand(1000, 'x');
    Write("one\\a.txt", thousand);
    Write("one\\b.txt", thousand);
    Write("two\\c.txt", thousand);
    Write("two\\other.txt", std::string(1000, 'y'));
    Open();
    window->SetText("edtFileMask", "*.*");
    window->Update_caption();
    EXPECT_EQ(window->Caption(), std::string("Duplicate files *.* at ") + drive.Letter() + ": ");
    // The counters' labels stand in their panels before the first search.
    EXPECT_EQ(widgets::StatusBar(*window, "StatusBar1").PanelText(1), "Bytes:");
    EXPECT_EQ(widgets::StatusBar(*window, "StatusBar1").PanelText(2), "Files:");

    EXPECT_TRUE(dialogs.asked.empty());
    Search();
    EXPECT_EQ(Captions(), (std::vector<std::string>{kHeader, At("one\\a.txt"), At("one\\b.txt"), At("two\\c.txt")}));
    EXPECT_EQ(window->Counters().DuplicateFiles, 2u);
    EXPECT_EQ(window->Counters().DuplicateBytes, 2000u);
    EXPECT_FALSE(window->Searching());
    EXPECT_EQ(window->Text("Search"), "&Find");
    EXPECT_FALSE(window->ControlVisible("Progress"));
    EXPECT_EQ(window->Text("lblFileListCaption"), "Duplicates were found...");

    // Delete may be pressed on a file row of the focused list, never on a header or blank row.
    SetFocus(window->FileListView1().Handle());
    window->FileListView1().SetSelected(2, true);
    EXPECT_TRUE(window->Enabled("btnDelete"));
    window->FileListView1().SetSelected(2, false);
    window->FileListView1().SetSelected(0, true);
    EXPECT_FALSE(window->Enabled("btnDelete"));

    base::SetFinnishUI(true);
    window->Update_caption();
    EXPECT_EQ(window->Caption(), std::string("Duplikaatit *.* asemilta ") + drive.Letter() + ": ");
    base::SetFinnishUI(false);
}

// Records whether the hourglass is up each time the result list is emptied or a column is sized.
struct CursorWatch {
    explicit CursorWatch(HWND list) : list_(list) {
        SetWindowSubclass(list_, Proc, 78, reinterpret_cast<DWORD_PTR>(this));
    }
    ~CursorWatch() { RemoveWindowSubclass(list_, Proc, 78); }
    CursorWatch(const CursorWatch&) = delete;
    CursorWatch& operator=(const CursorWatch&) = delete;

    std::vector<bool> clears;
    std::vector<bool> sizings;

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
        auto* self = reinterpret_cast<CursorWatch*>(data);
        const bool waiting = GetCursor() == LoadCursorW(nullptr, IDC_WAIT);
        if (message == LVM_DELETEALLITEMS)
            self->clears.push_back(waiting);
        if (message == LVM_SETCOLUMNWIDTH)
            self->sizings.push_back(waiting);
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    HWND list_;
};

TEST_F(DuplicatesWindow, TheHourglassShowsWhileTheListIsClearedAndFitted) {
    Write("one\\a.txt", std::string(1000, 'x'));
    Write("one\\b.txt", std::string(1000, 'x'));
    Open();
    CursorWatch watch(window->FileListView1().Handle());
    Search();
    ASSERT_FALSE(watch.clears.empty());
    ASSERT_FALSE(watch.sizings.empty());
    EXPECT_EQ(std::count(watch.clears.begin(), watch.clears.end(), false), 0);
    EXPECT_EQ(std::count(watch.sizings.begin(), watch.sizings.end(), false), 0);
    EXPECT_NE(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
}

TEST_F(DuplicatesWindow, DeletingOneOfTwoRemovesTheGroupAndItsBlankRow) {
    Write("a1", std::string(700, 'a'));
    Write("a2", std::string(700, 'a'));
    Write("b1", std::string(900, 'b'));
    Write("b2", std::string(900, 'b'));
    Write("b3", std::string(900, 'b'));
    Open();
    window->UseRecycleBin = false;
    Search();
    ASSERT_EQ(Captions().size(), 8u);
    EXPECT_EQ(window->Counters().DuplicateFiles, 3u);
    EXPECT_EQ(window->Counters().DuplicateBytes, 2500u);

    // One of three: the group stays with two, the counters drop by one file and its size.
    DeleteRow(At("b2"));
    EXPECT_FALSE(Exists(tree / "b2"));
    EXPECT_EQ(Captions(), (std::vector<std::string>{kHeader, At("b1"), At("b3"), "", kHeader, At("a1"), At("a2")}));
    EXPECT_EQ(window->Counters().DuplicateFiles, 2u);
    EXPECT_EQ(window->Counters().DuplicateBytes, 1600u);

    // One of two: the header, the other file and the blank row after the group go.
    DeleteRow(At("b1"));
    EXPECT_FALSE(Exists(tree / "b1"));
    EXPECT_TRUE(Exists(tree / "b3"));
    EXPECT_EQ(Captions(), (std::vector<std::string>{kHeader, At("a1"), At("a2")}));
    EXPECT_EQ(window->Counters().DuplicateFiles, 1u);
    EXPECT_EQ(window->Counters().DuplicateBytes, 700u);
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(DuplicatesWindow, TheLastCopyIsNeverDeleted) {
    Write("a1", std::string(700, 'a'));
    Write("a2", std::string(700, 'a'));
    Write("b1", std::string(900, 'b'));
    Write("b2", std::string(900, 'b'));
    Write("c1", std::string(800, 'c'));
    Write("c2", std::string(800, 'c'));
    Open();
    window->UseRecycleBin = false;
    Search();
    ASSERT_EQ(Captions().size(), 11u);

    // The twin is gone from the disk: this file is the last copy.
    ASSERT_TRUE(DeleteFileW(Widen(tree / "a1").c_str()));
    DeleteRow(At("a2"));
    EXPECT_TRUE(Exists(tree / "a2"));
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, widgets::MessageKind::Warning);
    EXPECT_NE(dialogs.asked[0].text.find("last copy"), std::string::npos) << dialogs.asked[0].text;
    EXPECT_GE(RowOf(At("a2")), 0);

    // The twin now holds other bytes.
    testing_support::WriteFile(tree / "b1", std::string(899, 'b') + "!");
    DeleteRow(At("b2"));
    EXPECT_TRUE(Exists(tree / "b2"));
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_NE(dialogs.asked[1].text.find("same contents"), std::string::npos) << dialogs.asked[1].text;

    // The twin is the same file under another name.
    ASSERT_TRUE(DeleteFileW(Widen(tree / "c1").c_str()));
    ASSERT_TRUE(CreateHardLinkW(Widen(tree / "c1").c_str(), Widen(tree / "c2").c_str(), nullptr));
    DeleteRow(At("c2"));
    EXPECT_TRUE(Exists(tree / "c2"));
    ASSERT_EQ(dialogs.asked.size(), 3u);
    EXPECT_NE(dialogs.asked[2].text.find("last copy"), std::string::npos) << dialogs.asked[2].text;
    EXPECT_EQ(window->Counters().DuplicateFiles, 3u);
}

TEST_F(DuplicatesWindow, TheRecycleBinMethodNamesItselfInTheHintAndRemovesTheGroup) {
    Write("a1", std::string(700, 'a'));
    Write("a2", std::string(700, 'a'));
    Open();
    window->UseRecycleBin = false;
    window->btnDeleteMouseMove();
    EXPECT_EQ(window->Hint("btnDelete"), "Deletes selected file PERMANENTLY");
    window->UseRecycleBin = true;
    window->btnDeleteMouseMove();
    EXPECT_EQ(window->Hint("btnDelete"), "Deletes selected file to a recycle bin");

    Search();
    ASSERT_EQ(Captions().size(), 3u);
    DeleteRow(At("a1"));
    EXPECT_FALSE(Exists(tree / "a1"));
    EXPECT_TRUE(Exists(tree / "a2"));
    EXPECT_TRUE(Captions().empty());
    EXPECT_FALSE(window->Enabled("btnDelete"));
    EXPECT_EQ(window->Counters().DuplicateFiles, 0u);
    EXPECT_EQ(window->Counters().DuplicateBytes, 0u);
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(DuplicatesWindow, OnADriveWithoutARecycleBinTheRecycleMethodLeavesTheFileAndSaysWhy) {
    TempFolder stickFolder;
    TestDrive stick(DriveType::Removable, stickFolder.Path());
    testing_support::WriteFile(stickFolder / "a1", std::string(700, 'a'));
    testing_support::WriteFile(stickFolder / "a2", std::string(700, 'a'));
    Open();
    ChooseDrives(std::string(1, stick.Letter()));
    window->UseRecycleBin = true;
    Search();
    ASSERT_EQ(Captions().size(), 3u);
    DeleteRow(stick.Root() + "a1");

    EXPECT_TRUE(Exists(stickFolder / "a1"));
    EXPECT_EQ(Captions(), (std::vector<std::string>{kHeader, stick.Root() + "a1", stick.Root() + "a2"}));
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_NE(dialogs.asked[0].text.find(stick.Root() + "a1 - This drive has no recycle bin"), std::string::npos)
        << dialogs.asked[0].text;
    EXPECT_EQ(window->Counters().DuplicateFiles, 1u);
}

TEST_F(DuplicatesWindow, AFileThatCannotBeDeletedWarnsWithIgnoreAndKeepsItsRow) {
    Write("a1", std::string(700, 'a'));
    Write("a2", std::string(700, 'a'));
    Open();
    window->UseRecycleBin = false;
    Search();
    ASSERT_EQ(Captions().size(), 3u);
    // Held open without sharing deletion, so the system refuses to delete it.
    HANDLE held =
        CreateFileW(Widen(tree / "a2").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    DeleteRow(At("a2"));
    CloseHandle(held);
    EXPECT_TRUE(Exists(tree / "a2"));
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text,
              "Unable to delete the file: \n\n" + At("a2") + "\n\nPerhaps this file is in use, or is write-protected?");
    EXPECT_EQ(dialogs.asked[0].kind, widgets::MessageKind::Warning);
    EXPECT_EQ(dialogs.asked[0].buttons, widgets::MessageButtons::Ignore);
    EXPECT_EQ(Captions(), (std::vector<std::string>{kHeader, At("a1"), At("a2")}));
    EXPECT_EQ(window->Counters().DuplicateFiles, 1u);
    EXPECT_EQ(window->Counters().DuplicateBytes, 700u);
}

TEST_F(DuplicatesWindow, SettingsAndListsAreWrittenAtDestruction) {
    Write("x\\a.dat", std::string(1000, 'q'));
    Write("y\\a.dat", std::string(1000, 'q'));
    Write("z\\a.dat", std::string(1000, 'q'));
    Open();
    Search();
    ASSERT_EQ(Captions().size(), 4u);
    const auto rowsBefore = [&] {
        std::vector<duplicates::ListRow> rows;
        for (int row = 0; row < window->FileListView1().Count(); ++row)
            rows.push_back(window->FileListView1().Row(row));
        return rows;
    }();
    window->SetText("edtFileMask", "*.dat");
    window->SetText("edtSkipFolder", "temp");
    window->UseRecycleBin = false;
    window->Switches.CheckFileName = true;
    window.reset();

    const std::string folder = platform::SettingsFolder();
    const std::string ini = ReadWhole(folder + "Options.ini");
    // The switches and the delete method belong to the options window, which writes them itself.
    for (const char* key : {"FloppyIsMaster", "UseRecycleBin", "CheckFileName", "SkipEmptyFiles"})
        EXPECT_EQ(ini.find(key), std::string::npos) << key << " in\n" << ini;
    const char* const order[] = {"FoldersToIgnore=temp", "FileMask=*.dat", "RootFolder=\\"};
    size_t at = ini.find("[Duplicate file]");
    ASSERT_NE(at, std::string::npos) << ini;
    for (const char* entry : order) {
        const size_t next = ini.find(entry, at);
        ASSERT_NE(next, std::string::npos) << entry << " in\n" << ini;
        at = next;
    }

    const auto lines = duplicates::ReadListFile(folder + duplicates::kDuplicateListName, platform::SystemFileStore(),
                                                platform::SystemAnsiCodec());
    ASSERT_EQ(lines.status, duplicates::ListFileStatus::Read);
    const auto reloaded = duplicates::RowsFromListLines(lines.lines);
    ASSERT_EQ(reloaded.rows.size(), rowsBefore.size());
    EXPECT_EQ(reloaded.rows[1][0], At("x\\a.dat"));
    EXPECT_EQ(reloaded.rows[3][1], "1000");
    EXPECT_EQ(reloaded.duplicateFiles, 2);
    EXPECT_EQ(reloaded.duplicateBytes, 2000);
    EXPECT_EQ(ReadWhole(folder + duplicates::kDuplicatePathsName),
              At("x\\a.dat") + "\r\n" + At("y\\a.dat") + "\r\n" + At("z\\a.dat") + "\r\n");

    // Settings come back at the next creation.
    Open();
    EXPECT_EQ(window->Text("edtFileMask"), "*.dat");
    EXPECT_EQ(window->Text("edtSkipFolder"), "temp");
}

TEST_F(DuplicatesWindow, ASavedListReloadsAtTheFirstShowingAndItsStaleRowsKeepTheirFiles) {
    Write("x\\a.dat", std::string(1000, 'q'));
    Write("y\\a.dat", std::string(1000, 'q'));
    Write("z\\a.dat", std::string(1000, 'q'));
    Open();
    Search();
    const auto before = Captions();
    ASSERT_EQ(before.size(), 4u);
    const std::string sizeBefore = window->FileListView1().Text(1, 1);
    window.reset();

    dialogs.answers = {IDYES};
    Open();
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_NE(dialogs.asked[0].text.find("A list of duplicate files was found from a\rprevious run on "),
              std::string::npos)
        << dialogs.asked[0].text;
    EXPECT_EQ(Captions(), before);
    EXPECT_EQ(window->FileListView1().Text(1, 1), sizeBefore);
    const std::string attr = window->FileListView1().Text(1, 4);
    EXPECT_TRUE(attr.empty() || attr.front() != ' ') << attr;
    EXPECT_EQ(window->Counters().DuplicateFiles, 2u);
    EXPECT_EQ(window->Counters().DuplicateBytes, 2000u);
    EXPECT_EQ(window->Text("lblFileListCaption"), "Old duplicates loaded");
    EXPECT_FALSE(window->ControlVisible("Progress"));

    // The disk moved on since the list was saved: no other file holds x's bytes any more.
    testing_support::WriteFile(tree / "y\\a.dat", std::string(1000, 'r'));
    testing_support::WriteFile(tree / "z\\a.dat", std::string(1000, 's'));
    window->UseRecycleBin = false;
    DeleteRow(At("x\\a.dat"));
    EXPECT_TRUE(Exists(tree / "x\\a.dat"));
    EXPECT_EQ(Captions(), before);
    EXPECT_EQ(dialogs.asked.size(), 2u);
}

TEST_F(DuplicatesWindow, AnsweringNoLeavesTheListEmptyAndAReloadedSkipListKeepsItsFilesOut) {
    Write("x\\a.dat", std::string(1000, 'q'));
    Write("y\\a.dat", std::string(1000, 'q'));
    Write("z\\a.dat", std::string(1000, 'q'));
    Open();
    Search();
    window.reset();
    testing_support::WriteFile(platform::SettingsFolder() + duplicates::kSkipListName, At("Z\\A.DAT") + "\r\n");

    dialogs.answers = {IDYES, IDNO};
    Open();
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_NE(dialogs.asked[0].text.find("known duplicate files to skip"), std::string::npos);
    EXPECT_NE(dialogs.asked[1].text.find("A list of duplicate files"), std::string::npos);
    EXPECT_TRUE(Captions().empty());
    EXPECT_EQ(window->KnownDuplicates.size(), 1u);

    Search();
    EXPECT_EQ(Captions(), (std::vector<std::string>{kHeader, At("x\\a.dat"), At("y\\a.dat")}));
}

TEST_F(DuplicatesWindow, ClosingDuringASearchStopsItAndHidesTheWindow) {
    for (int i = 0; i < 20; ++i)
        Write(std::string("f").append(std::to_string(i)).append("\\same.bin"), std::string(3000, 'k'));
    Open();
    std::string stopCaption;
    testing_support::ActOnText watch(window->Control("StatusBar1"), 1, [&] {
        stopCaption = window->Text("Search");
        window->Close();
    });
    Search();
    testing_support::Pump(100);
    EXPECT_EQ(stopCaption, "&Stop");
    EXPECT_FALSE(window->Visible());
    EXPECT_FALSE(window->Searching());
    EXPECT_EQ(window->Text("Search"), "&Find");
    EXPECT_TRUE(Captions().empty());
}

TEST_F(DuplicatesWindow, ClickingAColumnHeaderSortsEveryRowHeadersAndBlanksIncluded) {
    Write("a1", std::string(700, 'a'));
    Write("a2", std::string(700, 'a'));
    Write("b1", std::string(900, 'b'));
    Write("b2", std::string(900, 'b'));
    Open();
    Search();
    const auto found = Captions();
    ASSERT_EQ(found, (std::vector<std::string>{kHeader, At("b1"), At("b2"), "", kHeader, At("a1"), At("a2")}));

    auto& files = window->FileListView1();
    // Every header reads whole, the short ones over narrow columns too.
    for (int column = 0; column < files.ColumnCount(); ++column) {
        const std::wstring caption = Widen(files.ColumnCaption(column));
        EXPECT_GE(ListView_GetColumnWidth(files.Handle(), column),
                  ListView_GetStringWidth(files.Handle(), caption.c_str()) + 12)
            << files.ColumnCaption(column);
    }
    const auto clickHeader = [&](int column) {
        HWND header = ListView_GetHeader(files.Handle());
        RECT r{};
        ASSERT_TRUE(Header_GetItemRect(header, column, &r));
        SetForegroundWindow(window->Handle());
        // Two clicks closer than the double-click time would be one double click.
        testing_support::Pump(GetDoubleClickTime() + 100);
        testing_support::ClickPointerAt(header, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        testing_support::Pump(100);
    };
    const auto sizes = [&] {
        std::vector<std::string> column;
        for (int row = 0; row < files.Count(); ++row)
            column.push_back(files.Text(row, fs::kSizeColumn));
        return column;
    };

    clickHeader(fs::kNameColumn);
    auto byName = found;
    std::stable_sort(byName.begin(), byName.end(),
                     [](const std::string& a, const std::string& b) { return fs::CompareNamesIgnoringCase(a, b) < 0; });
    EXPECT_EQ(Captions(), byName);

    // Size ascending puts the rows without a size first, so the groups no longer stand together.
    clickHeader(fs::kSizeColumn);
    EXPECT_EQ(sizes(), (std::vector<std::string>{"", "", "", "700", "700", "900", "900"}));
    clickHeader(fs::kSizeColumn);
    EXPECT_EQ(sizes(), (std::vector<std::string>{"900", "900", "700", "700", "", "", ""}));
    EXPECT_EQ(files.Count(), 7);
}

// The room a list gives a cell's text: its label margins on both sides.
constexpr int kCellMargins = 12;

int ColumnsWidth(const widgets::TFileListView& files) {
    int sum = 0;
    for (int column = 0; column < files.ColumnCount(); ++column)
        sum += ListView_GetColumnWidth(files.Handle(), column);
    return sum;
}

// Every text of the column reads whole: the header's and each row's.
void ExpectColumnShowsItsTexts(const widgets::TFileListView& files, int column) {
    const int width = ListView_GetColumnWidth(files.Handle(), column);
    std::vector<std::string> texts{files.ColumnCaption(column)};
    for (int row = 0; row < files.Count(); ++row)
        texts.push_back(files.Text(row, column));
    for (const std::string& text : texts)
        EXPECT_GE(width, ListView_GetStringWidth(files.Handle(), Widen(text).c_str()) + kCellMargins)
            << "\"" << text << "\" is cut off";
}

// In Finnish, as the program starts: the group header rows and the column headers read whole, and columns
// that fit the list bring no horizontal scroll bar. A later search with longer paths fits them again.
TEST_F(DuplicatesWindow, FinnishResultListShowsItsHeadersWholeWithoutANeedlessScrollBar) {
    Write("a1", std::string(700, 'a'));
    Write("a2", std::string(700, 'a'));
    Make();
    base::SetFinnishUI(true);
    window->UseFinnishTexts();
    ShowFirstTime();
    Search();
    auto& files = window->FileListView1();
    ASSERT_EQ(Captions(), (std::vector<std::string>{"Duplikaatti tiedostot.....", At("a1"), At("a2")}));
    for (int column = 0; column < files.ColumnCount(); ++column)
        ExpectColumnShowsItsTexts(files, column);
    RECT client{};
    GetClientRect(files.Handle(), &client);
    EXPECT_LT(ColumnsWidth(files), client.right);
    EXPECT_FALSE(GetWindowLongW(files.Handle(), GWL_STYLE) & WS_HSCROLL);

    Write("a much longer folder name\\b1", std::string(900, 'b'));
    Write("a much longer folder name\\b2", std::string(900, 'b'));
    Search();
    ASSERT_EQ(files.Count(), 7);
    ExpectColumnShowsItsTexts(files, fs::kNameColumn);
}

TEST_F(DuplicatesWindow, AListSavedInFinnishReloadsWithHeadersThatDeleteLeavesAlone) {
    const char kFinnishHeader[] = "Duplikaatti tiedostot.....";
    Write("x\\a.dat", std::string(1000, 'q'));
    Write("y\\a.dat", std::string(1000, 'q'));
    Write("p1", std::string(700, 'p'));
    Write("p2", std::string(700, 'p'));
    base::SetFinnishUI(true);
    Open();
    Search();
    const std::vector<std::string> saved{kFinnishHeader, At("x\\a.dat"), At("y\\a.dat"), "",
                                         kFinnishHeader, At("p1"),       At("p2")};
    ASSERT_EQ(Captions(), saved);
    window.reset();

    dialogs.answers = {IDYES};
    Open();
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text.rfind("Lista duplikaateista löytyi\rviimeksi käynnistetty ", 0), 0u)
        << dialogs.asked[0].text;
    EXPECT_EQ(Captions(), saved);
    EXPECT_EQ(window->Text("lblFileListCaption"), "Vanhat duplikaatit ladattu");
    widgets::StatusBar status(*window, "StatusBar1");
    EXPECT_EQ(status.PanelText(0), "Duplikaatit luettu tiedostosta...");
    EXPECT_EQ(status.PanelText(2), "Tiedostoja: 2");
    EXPECT_EQ(window->Counters().DuplicateBytes, 1700u);
    window.reset();

    // Reloaded with the English texts, the Finnish header rows are still headers.
    base::SetFinnishUI(false);
    dialogs.answers = {IDYES};
    Open();
    ASSERT_EQ(Captions(), saved);
    auto& files = window->FileListView1();
    SetFocus(files.Handle());
    files.SetSelected(5, true);
    window->FileListView1Click();
    EXPECT_EQ(window->Hint("FileListView1"), At("p1"));
    files.SetSelected(5, false);
    files.SetSelected(4, true);
    EXPECT_FALSE(window->Enabled("btnDelete"));
    window->FileListView1Click();
    EXPECT_EQ(window->Hint("FileListView1"), "");
    window->btnDeleteClick();
    EXPECT_EQ(Captions(), saved);

    window->UseRecycleBin = false;
    DeleteRow(At("p2"));
    EXPECT_FALSE(Exists(tree / "p2"));
    EXPECT_EQ(Captions(), (std::vector<std::string>{kFinnishHeader, At("x\\a.dat"), At("y\\a.dat")}));
    EXPECT_EQ(window->Counters().DuplicateFiles, 1u);
    EXPECT_EQ(window->Counters().DuplicateBytes, 1000u);
    EXPECT_EQ(dialogs.asked.size(), 2u);
}

TEST_F(DuplicatesWindow, NestedFoldersToSearchAreDroppedWithANoticeInEitherLanguage) {
    Write("Docs\\a", "same bytes");
    Write("b", "same bytes");
    Make();
    base::SetFinnishUI(true);
    ShowFirstTime();
    widgets::StatusBar status(*window, "StatusBar1");
    EXPECT_EQ(status.PanelText(1), "Tavuja:");
    EXPECT_EQ(status.PanelText(2), "Tiedostoja:");
    base::SetFinnishUI(false);

    window->SetText("edtRootDir", "\\Docs, \\");
    Search();
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text,
              "Folder: \\DOCS\\ is already included in \nfolder: \\ and will therefore be removed.");
    EXPECT_EQ(dialogs.asked[0].kind, widgets::MessageKind::Information);
    EXPECT_EQ(dialogs.asked[0].buttons, widgets::MessageButtons::Ok);
    EXPECT_EQ(window->Text("edtRootDir"), "\\");
    // Each file is walked once.
    EXPECT_EQ(Captions().size(), 3u);
    EXPECT_EQ(window->Counters().DuplicateFiles, 1u);

    base::SetFinnishUI(true);
    window->SetText("edtRootDir", "\\Docs\\,\\DOCS\\Old,\\docs\\");
    Search();
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[1].text, "Kansio: \\DOCS\\OLD\\ sisältyy jo \nkansioon: \\DOCS\\ ja siksi se poistetaan.");
    EXPECT_EQ(window->Text("edtRootDir"), "\\docs\\");
    EXPECT_TRUE(Captions().empty());
}

TEST_F(DuplicatesWindow, TheCaptionNamesEverySelectedDrive) {
    TestDrive second(DriveType::Fixed, tree.Path());
    Open();
    const char first = std::min(drive.Letter(), second.Letter());
    const char last = std::max(drive.Letter(), second.Letter());
    ChooseDrives(std::string{first, last});
    window->SetText("edtFileMask", "*.*");
    window->Update_caption();
    EXPECT_EQ(window->Caption(), std::string("Duplicate files *.* at ") + first + ": " + last + ": ");
}

}  // namespace
