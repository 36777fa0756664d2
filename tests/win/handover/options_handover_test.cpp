#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/options_handover.h"
#include "base/error.h"
#include "base/texts.h"
#include "duplicates/duplicates_window.h"
#include "platform/program_folder.h"
#include "platform/win32/unicode.h"
#include "settings/options_window.h"
#include "settings/settings_file.h"
#include "support/win/temp_folder.h"
#include "support/win/window_driver.h"
#include "usage/chart_window.h"
#include "widgets/control_views.h"
#include "widgets/dialogs.h"

namespace {

using settings::TOptionsIkkuna;
using testing_support::Click;
using testing_support::PointerClick;
using testing_support::Pump;

// The options window with the windows it exchanges with, its settings in a folder of the test's. The
// space-usage window has measured a folder holding one file of 3 MiB.
class OptionsHandOver : public ::testing::Test {
  protected:
    OptionsHandOver() : scope(dialogs) {
        base::SetFinnishUI(false);
        platform::SetProgramFolderForTests(program.Path());
        testing_support::WriteFile(data / "big.bin", std::string(3 * 1048576, 'b'));
    }
    ~OptionsHandOver() override {
        chart.reset();
        duplicates.reset();
        options.reset();
        platform::SetProgramFolderForTests("");
    }

    // The windows are made as the program makes them, after the settings file has been written.
    void MakeWindows() {
        options = std::make_unique<TOptionsIkkuna>();
        options->SetEnglish(settings::SettingsFile(Ini()).ReadFlag(settings::keys::kLanguage, true));
        duplicates = std::make_unique<duplicates::TKaksoisIkkuna>();
        app::ConnectDuplicateSwitches(*options, *duplicates);
        std::string folder = data.Path();
        folder.pop_back();
        chart = std::make_unique<usage::TKaavioIkkuna>(Ini(), folder);
        for (int i = 0; i < 100 && (chart->Scanning() || chart->CurrentList() == nullptr); ++i)
            Pump(50);
        ASSERT_NE(chart->CurrentList(), nullptr);
    }

    // Opens the options window as the Options button does; user acts once it is on screen.
    bool Open(std::function<void()> user) {
        options->StartTimer(150, false, [this, user] {
            seen = true;
            user();
        });
        seen = false;
        const bool restart = app::ShowOptions({*options, unnecessary, *duplicates, *chart});
        EXPECT_TRUE(seen) << "the window was not shown";
        return restart;
    }
    void Ok() { Click(*options, "Ok"); }
    void Cancel() { Click(*options, "Cancel"); }

    static std::string Ini() { return platform::OptionsIniPath(); }
    static void WriteIni(const std::string& text) { testing_support::WriteFile(Ini(), text); }
    static std::string IniText() {
        std::string text;
        testing_support::ReadFile(Ini(), text);
        return text;
    }
    std::string ChartLine(int index) const { return widgets::ListBox(*chart, "ListBox1").Item(index); }

    testing_support::TempFolder program;
    testing_support::TempFolder data;
    widgets::ScriptedDialogs dialogs;
    widgets::ScopedDialogs scope;
    testing_support::FailOnEscapedErrors failOnErrors;
    app::HeldUnnecessaryMembers unnecessary;
    std::unique_ptr<TOptionsIkkuna> options;
    std::unique_ptr<duplicates::TKaksoisIkkuna> duplicates;
    std::unique_ptr<usage::TKaavioIkkuna> chart;
    bool seen = false;
};

TEST_F(OptionsHandOver, NoSameSizeInTheFileShowsSameNameTickedAndDisabledWhateverItsOwnKeySays) {
    WriteIni("[Duplicate file]\r\nCheckFileSize=0\r\nCheckFileName=0\r\nCheckFileStamp=1\r\n");
    MakeWindows();
    EXPECT_FALSE(duplicates->Switches.CheckFileSize) << "handed over at creation";
    EXPECT_TRUE(duplicates->Switches.CheckFileName);
    EXPECT_FALSE(duplicates->Switches.CheckFileStamp);

    Open([this] {
        EXPECT_FALSE(options->Checked("chkCheckFilesize"));
        EXPECT_TRUE(options->Checked("chkCheckFilename"));
        EXPECT_FALSE(options->Enabled("chkCheckFilename"));
        EXPECT_FALSE(options->Checked("chkCheckFileTimestamp"));
        EXPECT_FALSE(options->Enabled("chkCheckFileTimestamp"));
        // Requiring the same size again gives the two boxes back, as they were left.
        options->ShowPage("Asetukset", 0);
        PointerClick(options->Control("chkCheckFilesize"));
        EXPECT_TRUE(options->Checked("chkCheckFilesize"));
        EXPECT_TRUE(options->Enabled("chkCheckFilename"));
        EXPECT_TRUE(options->Checked("chkCheckFilename"));
        Ok();
    });
    EXPECT_TRUE(duplicates->Switches.CheckFileSize);
    EXPECT_TRUE(duplicates->Switches.CheckFileName);
}

TEST_F(OptionsHandOver, MegabytesWithOkShowAtOnceAndReachTheFileOnlyAtTheEnd) {
    MakeWindows();
    EXPECT_EQ(ChartLine(0), "3145728   big.bin");
    Open([this] {
        options->ShowPage("Asetukset", 2);
        Pump(100);
        PointerClick(options->Control("btnMB"));
        EXPECT_TRUE(options->Checked("btnMB"));
        EXPECT_EQ(options->UnitIndex, 2);
        Ok();
    });
    EXPECT_TRUE(chart->MB);
    EXPECT_FALSE(chart->Bytes);
    EXPECT_EQ(widgets::ComboBox(*chart, "cbxUnits").ItemIndex(), 2);
    EXPECT_EQ(ChartLine(0), "3.000   big.bin");
    EXPECT_EQ(IniText().find("MB="), std::string::npos) << IniText();
    EXPECT_NE(IniText().find("Compressed="), std::string::npos) << "OK writes the measure keys at once";

    chart.reset();
    EXPECT_NE(IniText().find("MB=1"), std::string::npos) << IniText();
    EXPECT_NE(IniText().find("Bytes=0"), std::string::npos) << IniText();
}

TEST_F(OptionsHandOver, MeasureButtonsDisabledWithUncompressedStaySoAndOkKeepsDisabled) {
    MakeWindows();
    // A system that cannot measure compressed sizes, as the space-usage window reports it.
    chart->Disabled = true;
    chart->Compressed = false;
    const auto expectUnavailable = [this] {
        EXPECT_TRUE(options->Checked("btnUncompressed"));
        EXPECT_FALSE(options->Checked("btnCompressed"));
        EXPECT_FALSE(options->Enabled("btnUncompressed"));
        EXPECT_FALSE(options->Enabled("btnCompressed"));
    };
    Open([&] {
        expectUnavailable();
        Ok();
    });
    EXPECT_TRUE(chart->Disabled);
    EXPECT_FALSE(chart->Compressed);
    EXPECT_FALSE(chart->UnCompressed);
    const std::string text = IniText();
    EXPECT_NE(text.find("Compressed=0\r\nUnCompressed=0\r\nDisabled=1\r\n"), std::string::npos) << text;

    // Later flags never give the buttons back.
    chart->Disabled = false;
    chart->Compressed = true;
    Open([&] {
        EXPECT_FALSE(options->Enabled("btnCompressed"));
        EXPECT_FALSE(options->Enabled("btnUncompressed"));
        Cancel();
    });
}

TEST_F(OptionsHandOver, LanguageChangedThenCancelAndYesSavesEveryPageAndEndsTheProgram) {
    WriteIni("[General]\r\nLanguage/Kieli=1\r\n");
    MakeWindows();
    dialogs.answers = {IDYES};
    const bool restart = Open([this] {
        options->ShowPage("Asetukset", 3);
        Pump(100);
        PointerClick(options->Control("Suomi"));
        options->ShowPage("Asetukset", 1);
        Pump(100);
        PointerClick(options->Control("btnExtraFiles"));
        PointerClick(options->Control("chkHidden"));
        options->ShowPage("Asetukset", 0);
        Pump(100);
        PointerClick(options->Control("RadioButton2"));
        Cancel();
    });
    EXPECT_TRUE(restart);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, settings::kRestartQuestion);
    EXPECT_EQ(dialogs.asked[0].kind, widgets::MessageKind::Confirmation);
    EXPECT_EQ(dialogs.asked[0].buttons, widgets::MessageButtons::YesNo);
    EXPECT_STREQ(widgets::MessageTitle(dialogs.asked[0].kind), "Confirm");

    EXPECT_TRUE(unnecessary.Get().ExtraFiles);
    EXPECT_FALSE(unnecessary.Get().IgnoreHiddenFiles);
    EXPECT_FALSE(duplicates->UseRecycleBin);
    const std::string text = IniText();
    for (const char* line : {"Language/Kieli=0", "UseRecycleBin=0", "Normal_search=0"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
}

TEST_F(OptionsHandOver, LanguageChangedThenCancelAndNoSavesNothingAndAsksAgainNextTime) {
    WriteIni("[General]\r\nLanguage/Kieli=1\r\n");
    MakeWindows();
    dialogs.answers = {IDNO, IDNO};
    const std::string before = IniText();
    EXPECT_FALSE(Open([this] {
        options->SetEnglish(false);
        PointerClick(options->Control("chkSkipEmptyFiles"));
        Cancel();
    }));
    EXPECT_EQ(IniText(), before);
    EXPECT_TRUE(duplicates->Switches.SkipEmptyFiles);
    EXPECT_TRUE(options->Checked("Suomi")) << "the language button stays as the user left it";

    EXPECT_FALSE(Open([this] { Cancel(); }));
    EXPECT_EQ(dialogs.asked.size(), 2u);
}

TEST_F(OptionsHandOver, TheCloseBoxAsksTheLanguageQuestionAsCancelDoes) {
    for (const int answer : {IDNO, IDYES}) {
        WriteIni("[General]\r\nLanguage/Kieli=1\r\n");
        MakeWindows();
        dialogs.asked.clear();
        dialogs.answers = {answer};
        const bool restart = Open([this] {
            options->SetEnglish(false);
            options->SetChecked("btnMostFiles", false);
            options->SetChecked("btnExtraFiles", true);
            PostMessageW(options->Handle(), WM_CLOSE, 0, 0);
        });
        ASSERT_EQ(dialogs.asked.size(), 1u) << answer;
        EXPECT_EQ(dialogs.asked[0].text, settings::kRestartQuestion);
        EXPECT_EQ(restart, answer == IDYES);
        EXPECT_EQ(unnecessary.Get().ExtraFiles, answer == IDYES) << "handed over only when confirmed";
        EXPECT_EQ(IniText().find("Language/Kieli=0") != std::string::npos, answer == IDYES) << IniText();
        chart.reset();
        duplicates.reset();
        options.reset();
        unnecessary.Set({});
    }
}

TEST_F(OptionsHandOver, CancelPutsTheFirstPageBackSoNothingCancelledIsSearchedWithOrSaved) {
    MakeWindows();
    Open([this] {
        options->ShowPage("Asetukset", 0);
        Pump(100);
        PointerClick(options->Control("chkFloppyIsMaster"));
        PointerClick(options->Control("chkCheckFilesize"));
        EXPECT_FALSE(options->Checked("chkFloppyIsMaster"));
        Cancel();
    });
    EXPECT_TRUE(options->Checked("chkFloppyIsMaster"));
    EXPECT_TRUE(options->Checked("chkCheckFilesize"));
    EXPECT_FALSE(options->Checked("chkCheckFilename"));
    EXPECT_TRUE(options->Enabled("chkCheckFilename"));
    EXPECT_TRUE(duplicates->FloppyIsMasterChoice());
    EXPECT_TRUE(duplicates->Switches.CheckFileSize);

    duplicates.reset();
    app::WriteDuplicateSwitchesAtEnd(*options);
    EXPECT_NE(IniText().find("FloppyIsMaster=1"), std::string::npos) << IniText();
    EXPECT_NE(IniText().find("CheckFileSize=1"), std::string::npos) << IniText();
}

TEST_F(OptionsHandOver, TheSixDuplicateOptionsAreShownAgainFromTheFileAtTheNextOpening) {
    MakeWindows();
    const char* const six[] = {"chkSkipSysbckup", "chkCheckFileTimestamp", "chkCheckFilename", "chkSkipEmptyFiles",
                               "chkSkipDesktopFolders"};
    Open([&] {
        for (const char* box : six)
            options->SetChecked(box, !options->Checked(box));
        Ok();
    });
    EXPECT_FALSE(duplicates->Switches.SkipSysbckupFolder);
    EXPECT_FALSE(duplicates->Switches.CheckFileStamp);
    EXPECT_TRUE(duplicates->Switches.CheckFileName);
    EXPECT_FALSE(duplicates->Switches.SkipEmptyFiles);
    EXPECT_FALSE(duplicates->Switches.SkipDesktopFolders);

    // A hand edit in the meantime shows too: the page comes from the file.
    settings::SettingsFile(Ini()).WriteFlag(settings::keys::kCheckFileSize, false);
    Open([&] {
        EXPECT_FALSE(options->Checked("chkSkipSysbckup"));
        EXPECT_FALSE(options->Checked("chkSkipEmptyFiles"));
        EXPECT_FALSE(options->Checked("chkSkipDesktopFolders"));
        EXPECT_TRUE(options->Checked("chkCheckFilename"));
        EXPECT_FALSE(options->Checked("chkCheckFilesize"));
        EXPECT_FALSE(options->Enabled("chkCheckFileTimestamp"));
        Ok();
    });
    EXPECT_FALSE(duplicates->Switches.CheckFileSize);
    EXPECT_FALSE(duplicates->Switches.SkipEmptyFiles);
}

TEST_F(OptionsHandOver, AFailedWriteIsToldToTheUserAfterTheWindowsHaveTheirValues) {
    WriteIni("[General]\r\nLanguage/Kieli=1\r\n");
    MakeWindows();
    SetFileAttributesW(platform::win32::Widen(Ini()).c_str(), FILE_ATTRIBUTE_READONLY);
    const bool restart = Open([this] {
        options->SetChecked("btnMB", true);
        options->SetChecked("btnBytes", false);
        options->btnMBClick();
        options->SetChecked("RadioButton2", true);
        options->SetChecked("RadioButton1", false);
        Ok();
    });
    SetFileAttributesW(platform::win32::Widen(Ini()).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(restart);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, app::UnsavedOptionsText(Ini()));
    EXPECT_EQ(dialogs.asked[0].kind, widgets::MessageKind::Error);
    EXPECT_TRUE(chart->MB);
    EXPECT_EQ(ChartLine(0), "3.000   big.bin");
    EXPECT_FALSE(duplicates->UseRecycleBin);
    EXPECT_EQ(IniText(), "[General]\r\nLanguage/Kieli=1\r\n");
}

TEST_F(OptionsHandOver, ALanguageThatCouldNotBeStoredLeavesTheProgramRunningAndSaysSoInItsLanguage) {
    WriteIni("[General]\r\nLanguage/Kieli=0\r\n");
    MakeWindows();
    base::SetFinnishUI(true);
    SetFileAttributesW(platform::win32::Widen(Ini()).c_str(), FILE_ATTRIBUTE_READONLY);
    dialogs.answers = {IDYES};
    const bool restart = Open([this] {
        options->SetEnglish(true);
        Ok();
    });
    SetFileAttributesW(platform::win32::Widen(Ini()).c_str(), FILE_ATTRIBUTE_NORMAL);
    base::SetFinnishUI(false);
    EXPECT_FALSE(restart) << "the language was not stored, so ending the program would not change it";
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[0].text, settings::kRestartQuestion);
    EXPECT_TRUE(dialogs.asked[1].text.starts_with("Vireo ei voinut tallentaa asetuksia tiedostoon\n\n" + Ini()))
        << dialogs.asked[1].text;
    EXPECT_TRUE(options->English()) << "the choice stays as the user left it";
}

TEST_F(OptionsHandOver, TheFirstPageIsWrittenAtTheEndAfterTheDuplicatesWindowsOwnKeys) {
    MakeWindows();
    options->SetChecked("chkCheckFilename", true);
    duplicates.reset();
    app::WriteDuplicateSwitchesAtEnd(*options);
    const std::string text = IniText();
    size_t at = text.find("[Duplicate file]");
    ASSERT_NE(at, std::string::npos) << text;
    for (const char* line : {"FoldersToIgnore=", "FileMask=*.*", "RootFolder=\\", "FloppyIsMaster=1", "UseRecycleBin=1",
                             "SkipSysbckupFolder=1", "CheckFileStamp=1", "CheckFileName=1", "CheckFileSize=1",
                             "SkipEmptyFiles=1", "SkipDesktopFolders=1"}) {
        const size_t next = text.find(line, at);
        ASSERT_NE(next, std::string::npos) << line << " in\n" << text;
        at = next;
    }
}

}  // namespace
