#include <windows.h>

#include <commctrl.h>

#include "backup_fixture.h"
#include "support/win/trash.h"

namespace backup_test {
namespace {

// A name no earlier run has left in the Trash.
std::string UniqueName(const std::string& stem) {
    return stem + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64()) + ".bak";
}

// A real left click in a list, given time to reach it.
void ClickRowsAt(HWND list, POINT point) {
    testing_support::ClickPointerAt(list, point);
    testing_support::Pump(150);
}

// A real left click at the middle of a list row.
void ClickRow(HWND list, int row) {
    RECT r{};
    ASSERT_TRUE(ListView_GetItemRect(list, row, &r, LVIR_LABEL));
    ClickRowsAt(list, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

TEST_F(BackupWindow, PermanentDeletionWarnsOfAHeldFileGoesOnAndKeepsItsSizeInTheTotal) {
    Write("a.bak", 100);
    Write("b.bak", 1600);
    Write("c.bak", 3000);
    Write("d.bak", 500);
    Open();
    ChooseOnlyTestDrive();
    window->UseRecycleBin = false;
    Search();
    ASSERT_EQ(Listed().size(), 4u);
    EXPECT_EQ(window->Tally.TotalKB, 1 + 2 + 3 + 1);

    Choose({At("a.bak"), At("b.bak"), At("c.bak")});
    // Another program removes c meanwhile and holds b open.
    ASSERT_TRUE(DeleteFileW(platform::win32::Widen(tree / "c.bak").c_str()));
    {
        testing_support::HeldFile held(tree / "b.bak");
        ASSERT_TRUE(held.IsOpen());
        testing_support::Click(*window, "btnDelete");
    }

    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text.rfind("Unable to delete the file: \n\n" + At("b.bak") +
                                              "\n\nMaybe this file is in use, or is write-protected?",
                                          0),
              0u)
        << dialogs.asked[0].text;
    EXPECT_EQ(dialogs.asked[0].kind, widgets::MessageKind::Warning);
    EXPECT_EQ(dialogs.asked[0].buttons, widgets::MessageButtons::Ignore);
    EXPECT_FALSE(testing_support::FileExists(tree / "a.bak")) << "the file after the held one is still deleted";
    EXPECT_TRUE(testing_support::FileExists(tree / "b.bak"));
    EXPECT_TRUE(testing_support::FileExists(tree / "d.bak"));
    EXPECT_EQ(Listed(), Texts{At("d.bak")});
    EXPECT_EQ(window->Tally.TotalKB, 2 + 1) << "the held file's share stays, the gone ones' come off";
    EXPECT_EQ(window->Text("lblSize"), "3 Kb");
    EXPECT_EQ(window->Text("Label1"), "1 unnecessary files found!");
    EXPECT_TRUE(window->Enabled("btnDelete"));
    EXPECT_FALSE(window->Enabled("btnSelectAll"));
}

TEST_F(BackupWindow, TwoFilesGoToTheRecycleBinTogetherAndAnUnchosenOneStays) {
    const std::string first = UniqueName("first");
    const std::string second = UniqueName("second");
    Write(first, 1600);
    Write(second, 1000);
    Write("stays.bak", 500);
    Open();
    ChooseOnlyTestDrive();
    window->UseRecycleBin = true;
    Search();
    ASSERT_EQ(Listed().size(), 3u);
    EXPECT_EQ(window->Text("lblSize"), "4 Kb");

    testing_support::Click(*window, "btnSelectAll");
    EXPECT_TRUE(window->Enabled("btnDelete"));
    window->FileListView1().SetSelected(RowOf(At("stays.bak")), false);
    testing_support::Click(*window, "btnDelete");

    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(Listed(), Texts{At("stays.bak")});
    EXPECT_EQ(window->Text("lblSize"), "1 Kb");
    EXPECT_EQ(window->Text("Label1"), "1 unnecessary files found!");
    EXPECT_TRUE(testing_support::FileExists(tree / "stays.bak"));
    EXPECT_TRUE(testing_support::TakeFromTrash(first, std::string(1600, 'j'))) << testing_support::TrashFolder();
    EXPECT_TRUE(testing_support::TakeFromTrash(second, std::string(1000, 'j')));
}

TEST_F(BackupWindow, AClickedRowNamesItsFileAndEnablesDeleteWhoseHintNamesTheMethod) {
    Write("one.bak", 10);
    Write("two.tmp", 20);
    Open();
    ChooseOnlyTestDrive();
    Search();
    ASSERT_EQ(Listed().size(), 2u);
    SetForegroundWindow(window->Handle());
    testing_support::Pump(100);

    const HWND list = window->FileListView1().Handle();
    ClickRow(list, 1);
    EXPECT_TRUE(window->FileListView1().IsSelected(1));
    EXPECT_EQ(window->Hint("FileListView1"), window->FileListView1().Text(1));
    EXPECT_TRUE(window->Enabled("btnDelete"));

    window->UseRecycleBin = false;
    testing_support::MovePointerTo(window->Control("btnDelete"), POINT{10, 10});
    EXPECT_EQ(window->Hint("btnDelete"), "Deletes selected file(s) PERMANENTLY");
    window->UseRecycleBin = true;
    testing_support::MovePointerTo(window->Control("btnDelete"), POINT{12, 12});
    EXPECT_EQ(window->Hint("btnDelete"), "Deletes selected file(s) to a recycle bin");

    // A click beside the rows chooses none, and Delete cannot be pressed.
    ClickRowsAt(list, POINT{300, 200});
    EXPECT_TRUE(window->FileListView1().SelectedRows().empty());
    EXPECT_FALSE(window->Enabled("btnDelete"));
}

}  // namespace
}  // namespace backup_test
