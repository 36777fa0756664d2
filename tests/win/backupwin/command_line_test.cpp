#include "backup_fixture.h"

namespace backup_test {
namespace {

using testing_support::FileExists;

TEST_F(BackupWindow, TheUnattendedRunSearchesTheFolderOnTheFixedDrivesDeletesAndCloses) {
    testing_support::WriteFile(platform::OptionsIniPath(), "[Backups, temps deleter]\r\nUseRecycleBin=0\r\n");
    Write("Junk\\a.bak", 10);
    Write("Junk\\sub\\b.tmp", 10);
    Write("Junk\\keep.bak", 10);
    Write("Junk\\Also Kept.tmp", 10);
    Write("Junk\\notes.txt", 10);
    Write("Logs\\x.log", 10);
    Write("Logs\\y.txt", 10);
    Write("Logs\\z.bak", 10);
    const std::string keep = "-keep=" + At("Junk\\keep.bak") + ",\"" + At("Junk\\Also Kept.tmp") + "\"";
    window = std::make_unique<unnecessary::TBackupIkkuna>(
        std::vector<std::string>{"\\Junk", "-AUTO_DELETE", keep, "-Delete=" + At("Logs\\*.log")},
        platform::SystemVersion{2, 10, 0});
    window->Show();
    WaitForStart();

    EXPECT_TRUE(window->AutoDelete);
    EXPECT_EQ(window->KeepList.Count(), 2);
    EXPECT_FALSE(window->Visible()) << "the window closes after the run";
    EXPECT_EQ(window->Text("edtDirectory"), "\\Junk");
    EXPECT_NE(window->DiskListView1().GetSelectedDrives().find(drive.Letter()), std::string::npos);
    EXPECT_FALSE(FileExists(tree / "Junk\\a.bak"));
    EXPECT_FALSE(FileExists(tree / "Junk\\sub\\b.tmp"));
    EXPECT_FALSE(FileExists(tree / "Logs\\x.log")) << "a -delete= file is listed whatever the masks";
    EXPECT_TRUE(FileExists(tree / "Junk\\keep.bak"));
    EXPECT_TRUE(FileExists(tree / "Junk\\Also Kept.tmp"));
    EXPECT_TRUE(FileExists(tree / "Junk\\notes.txt"));
    EXPECT_TRUE(FileExists(tree / "Logs\\y.txt"));
    EXPECT_TRUE(FileExists(tree / "Logs\\z.bak")) << "outside the searched folder";
    EXPECT_TRUE(Listed().empty());
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(BackupWindow, ADeleteListIsListedFirstAtEverySearchAndOnce) {
    Write("Junk\\a.bak", 10);
    Write("Logs\\x.log", 2000);
    Write("Logs\\y.LOG", 10);
    Write("Logs\\sub.log\\inside.log", 10);
    window = std::make_unique<unnecessary::TBackupIkkuna>(
        std::vector<std::string>{"Junk", "-delete=" + At("Logs\\*.log") + "," + At("Junk\\*.bak")},
        platform::SystemVersion{1, 4, 10});
    window->Show();
    WaitForStart();
    ASSERT_FALSE(window->AutoDelete);
    // Folder parts come lower-cased from the command line; the names as they are on disk.
    const std::string logs = std::string(1, static_cast<char>(drive.Letter() + ('a' - 'A'))) + ":\\logs\\";
    const std::string junk = std::string(1, static_cast<char>(drive.Letter() + ('a' - 'A'))) + ":\\junk\\";
    EXPECT_EQ(window->DeleteList.Texts(), (Texts{junk + "a.bak", logs + "x.log", logs + "y.LOG"}));
    EXPECT_TRUE(window->Visible()) << "no deletion, so the window stays";

    ChooseNoDrive();
    Search();
    EXPECT_EQ(Listed(), (Texts{junk + "a.bak", logs + "x.log", logs + "y.LOG"}));
    EXPECT_EQ(window->Text("lblSize"), "4 Kb");
    EXPECT_EQ(window->Text("edtDirectory"), "\\Junk");

    // The same file found by a mask is not listed a second time.
    ChooseOnlyTestDrive();
    Search();
    EXPECT_EQ(window->FileListView1().Count(), 3);
    EXPECT_EQ(window->Tally.FoundCount, 3);
}

TEST_F(BackupWindow, ASwitchAloneIsTheFolderAndDeletesNothing) {
    Write("-auto_delete\\a.bak", 10);
    Write("a.bak", 10);
    window = std::make_unique<unnecessary::TBackupIkkuna>(std::vector<std::string>{"-auto_delete"},
                                                          platform::SystemVersion{2, 4, 0});
    window->Show();
    WaitForStart();
    EXPECT_FALSE(window->AutoDelete);
    EXPECT_EQ(window->Text("edtDirectory"), "\\-auto_delete");
    EXPECT_EQ(Listed(), Texts{At("-auto_delete\\a.bak")});
    EXPECT_TRUE(FileExists(tree / "-auto_delete\\a.bak"));
    EXPECT_TRUE(window->Visible());
}

}  // namespace
}  // namespace backup_test
