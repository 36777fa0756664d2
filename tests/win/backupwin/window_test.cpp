#include "backup_fixture.h"

namespace backup_test {
namespace {

const std::initializer_list<const char*> kShownControls = {"btnFind", "btnExit", "btnSelectAll", "btnDelete",
                                                           "Label2",  "Label3",  "Label1",       "lblSize"};

// The first run's language question comes after the start timer has listed the drives.
TEST_F(BackupWindow, FinnishChosenAfterTheDrivesAreListedKeepsThemInTheCaption) {
    Open();
    ChooseOnlyTestDrive();
    window->UseFinnishTexts();
    EXPECT_EQ(window->Caption(), std::string("Turhat tiedostot - ") + drive.Letter() + ": ");
}

TEST_F(BackupWindow, EnglishDesignAndFinnishTextsFitAndTheStatusFollowsItsLabel) {
    Write("a.bak", 10);
    Write("b.bak", 10);
    Open();
    EXPECT_EQ(window->HelpTopic(), 109);
    EXPECT_EQ(window->Hint("edtDirectory"),
              "Enter a folder spec - e.g. \\Windows - to restrict search to a limited tree");
    EXPECT_FALSE(window->ControlVisible("edtDirectory"));
    EXPECT_EQ(window->Hint("btnSelectAll"), "Selects all the files listed, ready for deletion");
    EXPECT_EQ(window->Hint("btnDelete"), "Delete selected file(s)");
    EXPECT_EQ(window->FileListView1().ColumnCaption(5), "File Ver");
    EXPECT_EQ(window->DiskListView1().ColumnCaption(0), "Select drives");
    testing_support::ExpectCaptionsFit(*window, kShownControls);
    window.reset();

    base::SetFinnishUI(true);
    window = std::make_unique<unnecessary::TBackupIkkuna>(std::vector<std::string>{}, platform::SystemVersion{2, 6, 1});
    window->UseFinnishTexts();
    app::FollowStatusLabel(*window, "Label3", "Label1");
    window->Show();
    WaitForStart();
    ChooseOnlyTestDrive();
    EXPECT_EQ(window->Caption(), std::string("Turhat tiedostot - ") + drive.Letter() + ": ");
    EXPECT_EQ(window->Text("Label3"), "Tila:");
    EXPECT_EQ(window->Text("Label2"), "Koko yht.:");
    EXPECT_EQ(window->Text("btnFind"), "&Etsi");
    EXPECT_EQ(window->Hint("btnFind"), "Etsi levyiltä");
    EXPECT_EQ(window->Text("btnExit"), "&Sulje");
    EXPECT_EQ(window->Text("btnSelectAll"), "&Valitse kaikki");
    EXPECT_EQ(window->Hint("btnSelectAll"), "Valisee kaikki tiedostot listasta poistoa varten");
    EXPECT_EQ(window->Text("btnDelete"), "&Poista");
    EXPECT_EQ(window->Hint("btnDelete"), "Poista valitut tiedostot");
    const widgets::Place status = window->ControlPlace("Label3");
    EXPECT_EQ(window->ControlPlace("Label1").left, status.left + status.width + 7);
    EXPECT_EQ(window->FileListView1().ColumnCaption(0), "Nimi");
    EXPECT_EQ(window->FileListView1().ColumnCaption(6), "Tuotteen versio");
    EXPECT_EQ(window->DiskListView1().ColumnCaption(0), "Valitse asemat");

    std::string stopCaption;
    testing_support::ActOnText watch(window->Control("StatusBar1"), 1, [&] { stopCaption = window->Text("btnFind"); });
    Search();
    EXPECT_EQ(stopCaption, "&Pysäytä");
    EXPECT_EQ(watch.texts.front(), std::string("Etsitään ") + drive.Letter() + ":\\...");
    EXPECT_EQ(window->Text("Label1"), "Turhia tiedostoja löytynyt 2kpl!");
    EXPECT_EQ(window->Text("lblSize"), "2 Kt");
    EXPECT_EQ(window->Text("btnFind"), "&Etsi");
    EXPECT_EQ(window->Hint("btnFind"), "Etsi levyltä") << "the idle hint of a search differs from the first one";
    testing_support::ExpectCaptionsFit(*window, kShownControls);
    window->Hide();
    window->Show();
    EXPECT_EQ(window->Hint("btnFind"), "Etsi levyltä") << "shown again, the window keeps it";

    window->UseRecycleBin = false;
    Choose({At("a.bak")});
    window->btnDeleteClick();
    EXPECT_EQ(window->Text("Label1"), "Turhia tiedostoja löydetty 1kpl!");
    window->btnDeleteMouseMove();
    EXPECT_EQ(window->Hint("btnDelete"), "Poistaa valitut tiedostot PYSYVÄSTI");
}

TEST_F(BackupWindow, SettingsAreReadAtCreationAndWrittenBackInPlace) {
    testing_support::WriteFile(platform::OptionsIniPath(),
                               "[Backups, temps deleter]\r\n"
                               "DirectoryMask=\\Work\r\n"
                               "IgnoreHiddenFiles=0\r\n"
                               "IgnoreSystemFiles=0x0\r\n"
                               "UseRecycleBin=0\r\n"
                               "FilesToFind=*.TMP *.tmp,*.bak\r\n"
                               "AvoidTheseFiles=keep.bak\r\n"
                               "[Other]\r\nKey=stays\r\n");
    Write("Work\\keep.bak", 10);
    Write("Work\\Sub\\Keep.bak", 10);  // names to avoid are compared with letter case
    Write("Work\\x.tmp", 10);
    Write("Work\\old.dmp", 10);
    Open();
    EXPECT_EQ(window->Text("edtDirectory"), "\\Work");
    EXPECT_FALSE(window->IgnoreHiddenFiles);
    EXPECT_TRUE(window->IgnoreReadOnlyFiles);
    EXPECT_FALSE(window->IgnoreSystemFiles);
    EXPECT_TRUE(window->IgnoreZeroLengthFiles);
    EXPECT_FALSE(window->UseRecycleBin);
    EXPECT_EQ(window->FilesToFind.Texts(), (Texts{"*.bak", "*.TMP"}));
    EXPECT_EQ(window->ExtraFilesToFind.Texts(), (Texts{"*.fts", "*.gid", "*.mtx", "*.nch"}));
    EXPECT_EQ(window->AvoidTheseFiles.Texts(), Texts{"keep.bak"});

    ChooseOnlyTestDrive();
    Search();
    EXPECT_EQ(Listed(), (Texts{At("Work\\Sub\\Keep.bak"), At("Work\\x.tmp")}));

    window->SetText("edtDirectory", "\\Else\\");
    window->IgnoreReadOnlyFiles = false;
    window->IgnoreZeroLengthFiles = false;
    window->UseRecycleBin = true;
    window.reset();

    // Keys that were there keep their lines; the missing ones follow at the end of the section.
    std::string ini;
    ASSERT_TRUE(testing_support::ReadFile(platform::OptionsIniPath(), ini));
    EXPECT_EQ(ini,
              "[Backups, temps deleter]\r\n"
              "DirectoryMask=\\Else\\\r\n"
              "IgnoreHiddenFiles=0\r\n"
              "IgnoreSystemFiles=0\r\n"
              "UseRecycleBin=1\r\n"
              "FilesToFind=*.TMP *.tmp,*.bak\r\n"
              "AvoidTheseFiles=keep.bak\r\n"
              "IgnoreReadOnlyFiles=0\r\n"
              "IgnoreZeroLengthFiles=0\r\n"
              "[Other]\r\nKey=stays\r\n");

    Open();
    EXPECT_EQ(window->Text("edtDirectory"), "\\Else\\");
    EXPECT_FALSE(window->IgnoreReadOnlyFiles);
    EXPECT_TRUE(window->UseRecycleBin);
}

TEST_F(BackupWindow, ANewSettingsFileGetsTheKeysInTheirOrder) {
    Open();
    window.reset();
    std::string ini;
    ASSERT_TRUE(testing_support::ReadFile(platform::OptionsIniPath(), ini));
    EXPECT_EQ(ini,
              "[Backups, temps deleter]\r\n"
              "DirectoryMask=\\\r\n"
              "IgnoreHiddenFiles=1\r\n"
              "IgnoreReadOnlyFiles=1\r\n"
              "IgnoreSystemFiles=1\r\n"
              "IgnoreZeroLengthFiles=1\r\n"
              "UseRecycleBin=1\r\n");
}

TEST_F(BackupWindow, AnUnsupportedSystemIsWarnedOnceAndTheWindowClosesWhenOpened) {
    window = std::make_unique<unnecessary::TBackupIkkuna>(std::vector<std::string>{"\\Junk", "-auto_delete"},
                                                          platform::SystemVersion{2, 3, 51});
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text,
              "This section of Vireo requires Windows 95/98 or NT 4 to run.\r"
              "Your system does not appear to meet this requirement!");
    EXPECT_EQ(dialogs.asked[0].kind, widgets::MessageKind::Warning);
    EXPECT_FALSE(window->SystemSupported);
    EXPECT_FALSE(window->AutoDelete) << "the command line is not read";
    EXPECT_EQ(window->Text("edtDirectory"), "\\");
    WaitForStart();
    EXPECT_EQ(window->FileListView1().Count(), 0) << "no search of a folder nobody gave";

    // Opened from another window, as the main window opens it, it closes again as soon as it is active; a
    // timer stands by so the test cannot hang.
    const HWND opener = CreateWindowExW(0, L"STATIC", L"opener", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(opener);
    testing_support::Pump(100);
    const UINT_PTR guard = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) {
        if (HWND front = GetForegroundWindow())
            PostMessageW(front, WM_CLOSE, 0, 0);
    });
    const DWORD start = GetTickCount();
    window->ShowModal();
    KillTimer(nullptr, guard);
    DestroyWindow(opener);
    EXPECT_LT(GetTickCount() - start, 4000u);
    EXPECT_FALSE(window->Visible());
    EXPECT_EQ(dialogs.asked.size(), 1u);
}

}  // namespace
}  // namespace backup_test
