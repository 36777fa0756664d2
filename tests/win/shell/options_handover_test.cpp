#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/window_set.h"
#include "duplicates/duplicates_window.h"
#include "platform/win32/unicode.h"
#include "settings/options_window.h"
#include "support/win/window_driver.h"
#include "unnecessary/backup_window.h"
#include "usage/chart_window.h"
#include "widgets/control_views.h"
#include "widgets/dialogs.h"
#include "win/shell/modal_user.h"
#include "win/shell/shell_fixture.h"

using namespace testing_support;

namespace {

// The user opens the options window with the main window's Settings button and acts in it.
void OpenOptions(std::function<void()> action) {
    ModalUser::ClickAndAct(
        app::PaaIkkuna->Control("Settings"), [] { return app::OptionsIkkuna->InModalLoop(); }, std::move(action));
}
// A press the window hears after the user's other actions, as a click would come.
void Press(const char* button) {
    PostMessageW(app::OptionsIkkuna->Control(button), BM_CLICK, 0, 0);
}

// The user's click on a box or choice of a page of the options window.
void ClickOn(int page, const char* control) {
    app::OptionsIkkuna->ShowPage("Asetukset", page);
    PointerClick(app::OptionsIkkuna->Control(control));
}
constexpr int kDuplicatesPage = 0;
constexpr int kUnnecessaryFilesPage = 1;
constexpr int kSpaceUsagePage = 2;

class OptionsFromTheMainWindow : public ShellTest {
  protected:
    OptionsFromTheMainWindow() : scope(dialogs) {}

    // The value of a key of a section of Options.ini as it is now, "(none)" when it is not there.
    std::string Stored(std::string_view section, std::string_view key) const {
        const std::string text = Options();
        const size_t start = text.find(std::string("[").append(section).append("]"));
        if (start == std::string::npos)
            return "(none)";
        const size_t end = text.find("\r\n[", start);
        const std::string body = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const size_t at = body.find("\r\n" + std::string(key) + "=");
        if (at == std::string::npos)
            return "(none)";
        const size_t value = at + key.size() + 3;
        return body.substr(value, body.find("\r\n", value) - value);
    }

    widgets::ScriptedDialogs dialogs;
    widgets::ScopedDialogs scope;
};

TEST_F(OptionsFromTheMainWindow, LanguageChangedThenCancelAndYesSavesEverythingAndEndsTheProgram) {
    WriteOptions("[General]\r\nLanguage/Kieli=1\r\n");
    Start();
    dialogs.answers = {IDYES};
    OpenOptions([] {
        app::OptionsIkkuna->SetEnglish(false);
        app::OptionsIkkuna->SetChecked("btnBytes", false);
        app::OptionsIkkuna->SetChecked("btnKB", true);
        app::OptionsIkkuna->btnKBClick();
        Press("Cancel");
    });
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, settings::kRestartQuestion);
    EXPECT_FALSE(Main().Visible());
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop is told to end";
    EXPECT_TRUE(app::KaavioIkkuna->KB) << "the page's choices reached their windows";

    app::DestroyWindows();
    const std::string text = Options();
    for (const char* line : {"Language/Kieli=0", "KB=1", "Normal_search=1", "FloppyIsMaster=1"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
}

TEST_F(OptionsFromTheMainWindow, LanguageChangedThenOkAndNoKeepsTheRunningLanguageAndTheNextStartUsesTheNew) {
    WriteOptions("[General]\r\nLanguage/Kieli=1\r\n");
    Start();
    const std::string caption = Main().Caption();
    dialogs.answers = {IDNO};
    OpenOptions([] {
        app::OptionsIkkuna->SetEnglish(false);
        Press("Ok");
    });
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_TRUE(Main().Visible());
    EXPECT_FALSE(base::FinnishUI());
    EXPECT_EQ(Main().Text("Settings"), "&Options");
    EXPECT_NE(Options().find("Language/Kieli=0"), std::string::npos) << Options();

    app::DestroyWindows();
    Start();
    EXPECT_TRUE(base::FinnishUI());
    EXPECT_EQ(Main().Text("Settings"), "&Asetukset");
    EXPECT_EQ(Main().Caption(), caption);
}

TEST_F(OptionsFromTheMainWindow, TheFirstShowsSearchModeAndTheStoredSwitchesReachTheirWindows) {
    WriteOptions(
        "[General]\r\nLanguage/Kieli=1\r\n[Backups, temps deleter]\r\nNormal_search=0\r\n"
        "[Duplicate file]\r\nCheckFileSize=0\r\nUseRecycleBin=0\r\nFloppyIsMaster=0\r\n");
    Start();
    EXPECT_TRUE(Main().UnnecessaryMembers().Get().ExtraFiles);
    EXPECT_TRUE(app::OptionsIkkuna->Checked("btnExtraFiles"));
    EXPECT_FALSE(app::KaksoisIkkuna->Switches.CheckFileSize);
    EXPECT_TRUE(app::KaksoisIkkuna->Switches.CheckFileName);
    EXPECT_FALSE(app::KaksoisIkkuna->UseRecycleBin);
    EXPECT_FALSE(app::KaksoisIkkuna->FloppyIsMasterChoice());

    // Written back at the end, the duplicates window's own keys with them.
    app::DestroyWindows();
    const std::string text = Options();
    for (const char* line : {"FoldersToIgnore=", "FileMask=*.*", "FloppyIsMaster=0", "UseRecycleBin=0",
                             "CheckFileSize=0", "CheckFileName=1"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
}

TEST_F(OptionsFromTheMainWindow, UnnecessaryFileChoicesReachTheirWindowOnOkAndAreFoundAgainAtTheNextStart) {
    WriteOptions("[General]\r\nLanguage/Kieli=1\r\n");
    Start();
    unnecessary::TBackupIkkuna& backup = *app::BackupIkkuna;
    bool unchangedWhileOpen = false;
    OpenOptions([&] {
        for (const char* control : {"chkHidden", "chkSystem", "btnExtraFiles", "btnTraditionalDelete"})
            ClickOn(kUnnecessaryFilesPage, control);
        unchangedWhileOpen = !backup.ExtraFiles && backup.UseRecycleBin && backup.IgnoreHiddenFiles;
        Press("Ok");
    });
    EXPECT_TRUE(unchangedWhileOpen) << "the window gets the choices only after OK";
    EXPECT_TRUE(backup.ExtraFiles);
    EXPECT_FALSE(backup.UseRecycleBin);
    EXPECT_FALSE(backup.IgnoreHiddenFiles);
    EXPECT_TRUE(backup.IgnoreReadOnlyFiles);
    EXPECT_FALSE(backup.IgnoreSystemFiles);
    EXPECT_TRUE(backup.IgnoreZeroLengthFiles);
    backup.btnDeleteMouseMove();
    EXPECT_EQ(backup.Hint("btnDelete"), "Deletes selected file(s) PERMANENTLY") << "in effect in the tool at once";
    EXPECT_EQ(Stored("Backups, temps deleter", "Normal_search"), "0") << "written at OK";
    EXPECT_EQ(Stored("Backups, temps deleter", "IgnoreHiddenFiles"), "(none)") << "written only at the end";

    app::DestroyWindows();
    EXPECT_EQ(Stored("Backups, temps deleter", "IgnoreHiddenFiles"), "0");
    EXPECT_EQ(Stored("Backups, temps deleter", "IgnoreSystemFiles"), "0");
    EXPECT_EQ(Stored("Backups, temps deleter", "UseRecycleBin"), "0");
    EXPECT_EQ(Stored("Duplicate file", "UseRecycleBin"), "1") << "the duplicates' own delete method is apart";

    Start();
    unnecessary::TBackupIkkuna& again = *app::BackupIkkuna;
    EXPECT_TRUE(again.ExtraFiles);
    EXPECT_FALSE(again.UseRecycleBin);
    EXPECT_FALSE(again.IgnoreHiddenFiles);
    EXPECT_TRUE(again.IgnoreReadOnlyFiles);
    EXPECT_FALSE(again.IgnoreSystemFiles);
    std::string shown;
    OpenOptions([&] {
        for (const char* control : {"chkHidden", "chkReadOnly", "chkSystem", "chkZeroLength", "btnMostFiles",
                                    "btnExtraFiles", "btnUseRecycleBin", "btnTraditionalDelete"})
            shown += app::OptionsIkkuna->Checked(control) ? "1" : "0";
        Press("Cancel");
    });
    EXPECT_EQ(shown, "01010101") << "the page shows the stored choices";
}

TEST_F(OptionsFromTheMainWindow, DuplicateAndSpaceUsageChoicesTakeEffectOnOkAndAreFoundAgainAtTheNextStart) {
    WriteOptions("[General]\r\nLanguage/Kieli=1\r\n");
    Start();
    OpenOptions([] {
        for (const char* control : {"chkSkipEmptyFiles", "chkSkipDesktopFolders", "RadioButton2"})
            ClickOn(kDuplicatesPage, control);
        for (const char* control : {"btnKB", "btnUncompressed", "chkShowFreeDisk"})
            ClickOn(kSpaceUsagePage, control);
        Press("Ok");
    });
    const duplicates::TKaksoisIkkuna& duplicates = *app::KaksoisIkkuna;
    EXPECT_FALSE(duplicates.Switches.SkipEmptyFiles);
    EXPECT_FALSE(duplicates.Switches.SkipDesktopFolders);
    EXPECT_TRUE(duplicates.Switches.SkipSysbckupFolder);
    EXPECT_FALSE(duplicates.UseRecycleBin);
    usage::TKaavioIkkuna& chart = *app::KaavioIkkuna;
    EXPECT_TRUE(chart.KB);
    EXPECT_FALSE(chart.Bytes);
    EXPECT_TRUE(chart.UnCompressed);
    EXPECT_FALSE(chart.Compressed);
    EXPECT_FALSE(chart.DisplayFreeDiskSpace);
    EXPECT_EQ(widgets::ComboBox(chart, "cbxUnits").ItemIndex(), 1) << "the chart shows kilobytes at once";

    app::DestroyWindows();
    Start();
    EXPECT_FALSE(app::KaksoisIkkuna->Switches.SkipEmptyFiles);
    EXPECT_FALSE(app::KaksoisIkkuna->UseRecycleBin);
    EXPECT_TRUE(app::KaavioIkkuna->KB);
    EXPECT_TRUE(app::KaavioIkkuna->UnCompressed);
    EXPECT_FALSE(app::KaavioIkkuna->DisplayFreeDiskSpace);
    std::string shown;
    OpenOptions([&] {
        for (const char* control : {"chkSkipEmptyFiles", "chkSkipDesktopFolders", "chkSkipSysbckup", "RadioButton1",
                                    "btnBytes", "btnKB", "btnCompressed", "btnUncompressed", "chkShowFreeDisk"})
            shown += app::OptionsIkkuna->Checked(control) ? "1" : "0";
        Press("Cancel");
    });
    EXPECT_EQ(shown, "001001010") << "the pages show the stored choices";
}

TEST_F(OptionsFromTheMainWindow, OptionsThatCannotBeSavedAreToldInTheLanguageInUseAndStillTakeEffect) {
    for (const bool finnish : {false, true}) {
        // Made read-only after the start: the program keeps its settings there, and nothing can be written.
        WriteOptions(finnish ? "[General]\r\nLanguage/Kieli=0\r\n" : "[General]\r\nLanguage/Kieli=1\r\n");
        Start();
        const std::wstring ini = platform::win32::Widen(folder_ / "Options.ini");
        ASSERT_TRUE(SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY));
        dialogs.asked.clear();
        {
            FailOnEscapedErrors loud;
            OpenOptions([] {
                ClickOn(kUnnecessaryFilesPage, "btnExtraFiles");
                Press("Ok");
            });
        }
        ASSERT_EQ(dialogs.asked.size(), 1u) << finnish;
        const std::string& text = dialogs.asked[0].text;
        EXPECT_EQ(dialogs.asked[0].kind, widgets::MessageKind::Error);
        EXPECT_TRUE(
            text.starts_with(finnish ? "Vireo ei voinut tallentaa asetuksia" : "Vireo could not save the options"))
            << text;
        EXPECT_NE(text.find(folder_ / "Options.ini"), std::string::npos) << text;
        EXPECT_TRUE(app::BackupIkkuna->ExtraFiles) << "the choice is in use all the same";
        EXPECT_TRUE(Main().Visible());
        // The windows' own writes at the end fail too; those go unseen, as at every end of a run.
        app::DestroyWindows();
        base::SetFinnishUI(false);
        ASSERT_TRUE(SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL));
    }
}

}  // namespace
