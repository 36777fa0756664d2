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

TEST_F(BackupWindow, AKeptPathWithBlanksIsKeptAndWinsOverDelete) {
    testing_support::WriteFile(platform::OptionsIniPath(), "[Backups, temps deleter]\r\nUseRecycleBin=0\r\n");
    Write("Junk\\My Documents\\a.bak", 10);
    Write("Junk\\My Documents\\b.bak", 10);
    Write("Junk\\Old Files\\x.log", 10);
    Write("Junk\\Old", 10);
    Write("Junk\\My", 10);
    Write("Junk\\c.bak", 10);
    // As the system hands over "-keep=X:\Junk\My Documents\a.bak" typed in quotes: the quotes are gone.
    Open({"\\Junk", "-auto_delete", "-keep=" + At("Junk\\My Documents\\a.bak"),
          "-delete=" + At("Junk\\Old Files\\x.log") + "," + At("Junk\\My Documents\\A.BAK") + "," + At("Junk\\c.bak"),
          "-keep=" + At("Junk\\c.bak")});

    EXPECT_EQ(window->KeepList.Count(), 2);
    EXPECT_TRUE(FileExists(tree / "Junk\\My Documents\\a.bak")) << "kept, though also given to delete";
    EXPECT_TRUE(FileExists(tree / "Junk\\c.bak")) << "kept, though also given to delete";
    EXPECT_FALSE(FileExists(tree / "Junk\\My Documents\\b.bak"));
    EXPECT_FALSE(FileExists(tree / "Junk\\Old Files\\x.log"));
    EXPECT_TRUE(FileExists(tree / "Junk\\Old")) << "a part of a path with a blank names no file";
    EXPECT_TRUE(FileExists(tree / "Junk\\My"));
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(BackupWindow, AFileToKeepThatIsNotFoundStopsTheUnattendedDeletion) {
    testing_support::WriteFile(platform::OptionsIniPath(), "[Backups, temps deleter]\r\nUseRecycleBin=0\r\n");
    Write("Junk\\a.bak", 10);
    Write("Junk\\b.tmp", 10);
    Write("Junk\\keep.bak", 10);
    Open({"\\Junk", "-auto_delete", "-keep=" + At("Junk\\keep.bak") + "," + At("Junk\\Mistyped\\*.bak")});

    EXPECT_TRUE(FileExists(tree / "Junk\\a.bak"));
    EXPECT_TRUE(FileExists(tree / "Junk\\b.tmp"));
    EXPECT_TRUE(FileExists(tree / "Junk\\keep.bak"));
    EXPECT_EQ(Listed(), (Texts{At("Junk\\a.bak"), At("Junk\\b.tmp")})) << "the search still lists what it found";
    ASSERT_EQ(dialogs.asked.size(), 1u);
    const std::string lowerDrive(1, static_cast<char>(drive.Letter() + ('a' - 'A')));
    EXPECT_NE(dialogs.asked[0].text.find(lowerDrive + ":\\junk\\mistyped\\*.bak"), std::string::npos)
        << dialogs.asked[0].text;
    EXPECT_EQ(dialogs.asked[0].kind, widgets::MessageKind::Warning);
    EXPECT_EQ(window->Text("Label1"), "Nothing deleted: a file to keep was not found.");
}

TEST_F(BackupWindow, MasksThatMatchAnyNameAreNotUsedAndTheWindowSaysSo) {
    testing_support::WriteFile(platform::OptionsIniPath(),
                               "[Backups, temps deleter]\r\nUseRecycleBin=0\r\nFilesToFind=*.*,*.bak,?*\r\n"
                               "ExtraFilesToFind=*\r\n");
    Write("Junk\\a.bak", 10);
    Write("Junk\\letter.doc", 10);
    Write("Junk\\photo.jpg", 10);
    Open({"\\Junk", "-auto_delete"});

    EXPECT_EQ(window->FilesToFind.Texts(), Texts{"*.bak"});
    EXPECT_TRUE(window->ExtraFilesToFind.Texts().empty());
    EXPECT_FALSE(FileExists(tree / "Junk\\a.bak"));
    EXPECT_TRUE(FileExists(tree / "Junk\\letter.doc"));
    EXPECT_TRUE(FileExists(tree / "Junk\\photo.jpg"));
    const auto saysUnused = [](const std::string& text) {
        return text.rfind("Masks not used, as they match any name: ", 0) == 0 &&
               text.find("*.*") != std::string::npos && text.find("?*") != std::string::npos &&
               text.find(" *", text.size() - 2) != std::string::npos;
    };
    EXPECT_TRUE(saysUnused(Status())) << Status();

    // The search with the extra set finds nothing at all.
    window->ExtraFiles = true;
    Write("Junk\\b.bak", 10);
    window->Show();
    ChooseOnlyTestDrive();
    Search();
    EXPECT_TRUE(Listed().empty());
    EXPECT_EQ(window->Text("Label1"), "No files found!");
    EXPECT_TRUE(saysUnused(Status())) << Status();
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
