#include "backup_fixture.h"

namespace backup_test {
namespace {

TEST_F(BackupWindow, TheDefaultsListJunkOnceAndLeaveProtectedEmptyAndAvoidedFilesOut) {
    Write("a.tmp", 100);
    Write("both.bak", 1600);  // *.bak and *.bk? both match
    Write("ro.tmp", 10);
    Write("hid.tmp", 10);
    Write("sys.tmp", 10);
    Write("empty.bak", 0);
    Write("user.dmp", 10);
    Write("notes.txt", 10);
    Write("Hidden folder\\inside.bak", 2048);
    Write("sub\\USER.DMP", 10);
    Write("sub\\deep\\~draft.doc", 1);
    testing_support::MakeFolder(tree / "folder.bak");
    SetAttributes(tree / "ro.tmp", FILE_ATTRIBUTE_READONLY);
    SetAttributes(tree / "hid.tmp", FILE_ATTRIBUTE_HIDDEN);
    SetAttributes(tree / "sys.tmp", FILE_ATTRIBUTE_SYSTEM);
    SetAttributes(tree / "Hidden folder", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    Open();
    ChooseOnlyTestDrive();
    EXPECT_EQ(window->Caption(), std::string("Unnecessary files - ") + drive.Letter() + ": ");

    std::string findDuringRun, labelDuringRun;
    bool drivesEnabledDuringRun = true;
    testing_support::ActOnText watch(window->Control("StatusBar1"), 1, [&] {
        findDuringRun = window->Text("btnFind");
        labelDuringRun = window->Text("Label1");
        drivesEnabledDuringRun = window->Enabled("DiskListView1");
    });
    Search();

    EXPECT_EQ(findDuringRun, "&Stop");
    EXPECT_EQ(labelDuringRun, "Searching unnecessary files...");
    EXPECT_FALSE(drivesEnabledDuringRun);
    ASSERT_FALSE(watch.texts.empty());
    EXPECT_EQ(watch.texts.front(), std::string("Searching ") + drive.Letter() + ":\\...");
    EXPECT_EQ(Listed(), (Texts{At("Hidden folder\\inside.bak"), At("a.tmp"), At("both.bak"), At("sub\\USER.DMP"),
                               At("sub\\deep\\~draft.doc")}));
    EXPECT_EQ(window->Tally.FoundCount, 5);
    EXPECT_EQ(window->Tally.TotalKB, 1 + 2 + 2 + 1 + 1);
    EXPECT_EQ(window->Text("lblSize"), "7 Kb");
    EXPECT_EQ(window->Text("Label1"), "5 unnecessary files found!");
    EXPECT_EQ(Status(), "");
    EXPECT_EQ(window->Text("btnFind"), "&Find");
    EXPECT_EQ(window->Hint("btnFind"), "Search the disk");
    EXPECT_TRUE(window->Enabled("DiskListView1"));
    EXPECT_TRUE(window->Enabled("btnSelectAll"));
    EXPECT_FALSE(window->Enabled("btnDelete")) << "Delete follows the choice of rows, not the search";
    EXPECT_EQ(window->IgnoreAttributes, 7u);

    // Empty files may be listed; a folder named like junk never is.
    window->IgnoreZeroLengthFiles = false;
    Search();
    EXPECT_GE(RowOf(At("empty.bak")), 0);
    EXPECT_EQ(RowOf(At("folder.bak")), -1);
    EXPECT_EQ(window->Tally.FoundCount, 6);
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(BackupWindow, AFolderWithADriveSearchesThatFolderOnEveryChosenDriveAndIsKeptWithoutIt) {
    Write("Temp\\in.tmp", 10);
    Write("Temp\\Sub\\deeper.bak", 10);
    Write("out.tmp", 10);
    Open();
    ChooseOnlyTestDrive();
    window->SetText("edtDirectory", "C:\\Temp\\");
    Search();
    EXPECT_EQ(window->Text("edtDirectory"), "\\Temp");
    EXPECT_EQ(Listed(), (Texts{At("Temp\\Sub\\deeper.bak"), At("Temp\\in.tmp")}));
    window.reset();

    std::string ini;
    ASSERT_TRUE(testing_support::ReadFile(platform::OptionsIniPath(), ini));
    EXPECT_NE(ini.find("DirectoryMask=\\Temp\r\n"), std::string::npos) << ini;
}

TEST_F(BackupWindow, StopKeepsTheRowsFoundSoFarButNotThoseOfTheFolderBeingEntered) {
    for (const char* folder : {"f0", "f1", "f2", "f3"})
        Write(std::string(folder) + "\\x.tmp", 10);
    Open();
    ChooseOnlyTestDrive();
    // Texts: the drive's root, f0, then f1, where the stop is seen.
    testing_support::ActOnText watch(window->Control("StatusBar1"), 3,
                                     [&] { testing_support::Click(*window, "btnFind"); });
    Search();
    ASSERT_GE(watch.texts.size(), 3u);
    EXPECT_EQ(watch.texts[2], std::string("Searching ") + drive.Letter() + ":\\f1...");
    EXPECT_EQ(Listed(), Texts{At("f0\\x.tmp")});
    EXPECT_EQ(window->Text("Label1"), "1 unnecessary files found!");
    EXPECT_FALSE(window->Searching);
    EXPECT_EQ(window->Text("btnFind"), "&Find");
    EXPECT_FALSE(window->Enabled("btnSelectAll")) << "one row";
}

TEST_F(BackupWindow, NoDriveChosenFindsNothingAndOneFileCannotBeSelectedAll) {
    Write("only.bak", 1600);
    Open();
    ChooseNoDrive();
    EXPECT_EQ(window->Caption(), "Unnecessary files - ");
    Search();
    EXPECT_TRUE(Listed().empty());
    EXPECT_EQ(window->Text("Label1"), "No files found!");
    EXPECT_EQ(Status(), "No files found!");
    EXPECT_EQ(window->Text("lblSize"), "");
    EXPECT_FALSE(window->Enabled("btnSelectAll"));

    ChooseOnlyTestDrive();
    Search();
    EXPECT_EQ(Listed(), Texts{At("only.bak")});
    EXPECT_EQ(window->Text("lblSize"), "2 Kb");
    EXPECT_FALSE(window->Enabled("btnSelectAll"));

    // The one file deleted for good: the total drops to nothing and the window says so.
    window->UseRecycleBin = false;
    Choose({At("only.bak")});
    window->btnDeleteClick();
    EXPECT_FALSE(testing_support::FileExists(tree / "only.bak"));
    EXPECT_EQ(window->Tally.TotalKB, 0);
    EXPECT_EQ(window->Text("Label1"), "No files found!");
    EXPECT_EQ(window->Text("lblSize"), "");
    EXPECT_FALSE(window->Enabled("btnDelete"));
    EXPECT_FALSE(window->Enabled("btnSelectAll"));
}

TEST_F(BackupWindow, TheExtraMaskSetReplacesTheNormalOne) {
    Write("a.tmp", 10);
    Write("b.gid", 10);
    Open();
    ChooseOnlyTestDrive();
    window->ExtraFiles = true;
    Search();
    EXPECT_EQ(Listed(), Texts{At("b.gid")});
}

}  // namespace
}  // namespace backup_test
