#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/window_set.h"
#include "settings/options_window.h"
#include "support/win/window_driver.h"
#include "widgets/control_views.h"
#include "widgets/dialogs.h"
#include "win/shell/shell_fixture.h"

using namespace testing_support;

namespace {

// What the user does in the options window, once it is on screen; gives up after ten seconds.
std::function<void()> user;
int ticksLeft = 0;
void CALLBACK UseOptions(HWND, UINT, UINT_PTR id, DWORD) {
    if (!app::OptionsIkkuna->InModalLoop() && --ticksLeft > 0)
        return;
    KillTimer(nullptr, id);
    user();
}
void OpenOptions(std::function<void()> action) {
    user = std::move(action);
    ticksLeft = 200;
    SetTimer(nullptr, 0, 50, UseOptions);
    PointerClick(app::PaaIkkuna->Control("Settings"));
    Pump(300);
}
// A press the window hears after the user's other actions, as a click would come.
void Press(const char* button) {
    PostMessageW(app::OptionsIkkuna->Control(button), BM_CLICK, 0, 0);
}

class OptionsFromTheMainWindow : public ShellTest {
  protected:
    OptionsFromTheMainWindow() : scope(dialogs) {}
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

}  // namespace
