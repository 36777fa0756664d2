#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "app/window_set.h"
#include "platform/win32/unicode.h"
#include "registry/registry_window.h"
#include "support/win/window_driver.h"
#include "unnecessary/backup_window.h"
#include "widgets/control_views.h"
#include "widgets/error_hook.h"
#include "widgets/run_policy.h"
#include "win/shell/modal_user.h"
#include "win/shell/shell_fixture.h"

using namespace testing_support;

namespace {

struct Tool {
    const char* button;
    widgets::Window* window;
    std::function<bool()> settled;
    // What the window shows once it has settled, texts it builds at run time, starting as given.
    std::function<std::string()> shown;
    const char* english;
    const char* finnish;
};

std::vector<Tool> ToolWindows() {
    auto* duplicates = app::KaksoisIkkuna.get();
    auto* usage = app::KaavioIkkuna.get();
    auto* registry = app::RegistryIkkuna.get();
    auto* backup = app::BackupIkkuna.get();
    return {
        {"RegistryClean", registry, [] { return true; },
         [registry] { return registry->StringGrid1().Cell(0, 0) + " / " + registry->Text("AloitaButton"); },
         "Registry Key / &Find", "Rekisterin avain / &Etsi"},
        {"Backups", backup, [backup] { return backup->Started(); },
         [backup] {
             backup->btnDeleteMouseMove();
             const std::string caption = backup->Caption();
             return caption.substr(0, caption.find(" - ") + 3) + "/ " + backup->Hint("btnDelete");
         },
         "Unnecessary files - / Deletes selected file(s) to a recycle bin",
         "Turhat tiedostot - / Poistaa valitut tiedostot roskakoriin"},
        {"Kaksois", duplicates, [duplicates] { return duplicates->FirstShowingDone(); },
         [duplicates] { return duplicates->Caption(); }, "Duplicate files *.* at ", "Duplikaatit *.* asemilta "},
        {"Kaytto", usage, [usage] { return !usage->Scanning() && usage->CurrentList() != nullptr; },
         [usage] {
             return usage->Caption().substr(0, usage->Caption().find(" - ")) + " / " +
                    widgets::StatusBar(*usage, "StatusBar").PanelText(1);
         },
         "Space usage / Files: ", "Tilan käyttö / Tiedostoja: "},
    };
}

}  // namespace

TEST_F(ShellTest, ToolButtonsShowTheirWindowsModallyOverTheMainWindowInTheLanguageChosen) {
    for (const bool finnish : {false, true}) {
        WriteOptions(finnish ? "[General]\r\nLanguage/Kieli=0\r\n" : "[General]\r\nLanguage/Kieli=1\r\n");
        Start();
        FailOnEscapedErrors loud;
        for (const Tool& tool : ToolWindows()) {
            ASSERT_TRUE(Main().Enabled(tool.button)) << tool.button;
            bool shownModally = false;
            bool mainDisabled = false;
            std::string texts;
            ModalUser::ClickAndAct(
                Main().Control(tool.button), [&] { return tool.window->InModalLoop() && tool.settled(); },
                [&] {
                    shownModally = tool.window->Visible() && tool.window->InModalLoop();
                    mainDisabled = !IsWindowEnabled(Main().Handle());
                    texts = tool.shown();
                    PostMessageW(tool.window->Handle(), WM_CLOSE, 0, 0);
                });
            EXPECT_TRUE(shownModally) << tool.button;
            EXPECT_TRUE(mainDisabled) << tool.button << ": the main window waits while the tool is open";
            EXPECT_TRUE(texts.starts_with(finnish ? tool.finnish : tool.english)) << texts;
            EXPECT_FALSE(tool.window->Visible()) << tool.button;
            EXPECT_TRUE(IsWindowEnabled(Main().Handle())) << tool.button;
        }
        app::DestroyWindows();
        base::SetFinnishUI(false);
    }
}

TEST_F(ShellTest, ToolWindowsAreMadeOnceAndKeptUntilTheEnd) {
    WriteOptions("[General]\r\nLanguage/Kieli=1\r\n");
    Start();
    ASSERT_NE(app::KaksoisIkkuna, nullptr);
    ASSERT_NE(app::KaavioIkkuna, nullptr);
    EXPECT_FALSE(app::KaksoisIkkuna->Visible());
    EXPECT_FALSE(app::KaavioIkkuna->Visible());
    EXPECT_EQ(app::KaksoisIkkuna->Caption(), "Duplicate files");
    app::DestroyWindows();
    EXPECT_EQ(app::KaksoisIkkuna, nullptr);
    EXPECT_EQ(app::KaavioIkkuna, nullptr);
}

TEST_F(ShellTest, AWriteThatFailsAtTheEndLosesNoOtherKeyOfAnyWindow) {
    WriteOptions("[General]\r\nLanguage/Kieli=1\r\n");
    Start();
    // Another program holds the file while the first window writes; it lets go once that write has failed.
    HANDLE held = CreateFileW(platform::win32::Widen(folder_ / "Options.ini").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    int failures = 0;
    widgets::SetErrorHook([&] {
        ++failures;
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        held = INVALID_HANDLE_VALUE;
    });
    app::DestroyWindows();
    widgets::SetErrorHook(nullptr);
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(Options(),
              "[General]\r\nLanguage/Kieli=1\r\n\r\n"
              "[Chart]\r\nUnCompressed=0\r\nDisabled=0\r\nBytes=1\r\nKB=0\r\nMB=0\r\nCount=0\r\nDisplayFreeDiskSpace="
              "1\r\n\r\n"
              "[Backups, temps "
              "deleter]\r\nDirectoryMask=\\\r\nIgnoreHiddenFiles=1\r\nIgnoreReadOnlyFiles=1\r\nIgnoreSystemFiles="
              "1\r\nIgnoreZeroLengthFiles=1\r\nUseRecycleBin=1\r\n"
              "\r\n"
              "[Duplicate file]\r\nFoldersToIgnore=\r\nFileMask=*.*\r\nRootFolder=\\\r\nFloppyIsMaster=1\r\n"
              "UseRecycleBin=1\r\nSkipSysbckupFolder=1\r\nCheckFileStamp=1\r\nCheckFileName=0\r\nCheckFileSize=1\r\n"
              "SkipEmptyFiles=1\r\nSkipDesktopFolders=1\r\n")
        << "only the key being written when the file was held is missing";
}

TEST_F(ShellTest, ClosingTheMainWindowStopsAMeasurementStillGoing) {
    WriteOptions("[General]\r\nLanguage/Kieli=1\r\n");
    Start();
    Pump(300);
    ASSERT_FALSE(app::KaavioIkkuna->Scanning());
    for (int i = 0; i < 40; ++i)
        MakeFolder(folder_ / ("tree\\folder" + std::to_string(i)));
    app::KaavioIkkuna->FolderPath = folder_ / "tree";
    // The close arrives at the measurement's first yield, as a user's click on the close box would.
    PostMessageW(Main().Handle(), WM_CLOSE, 0, 0);
    app::KaavioIkkuna->Scan_tree();
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the program's loop is told to end";
    EXPECT_FALSE(app::KaavioIkkuna->Scanning());
    ASSERT_NE(app::KaavioIkkuna->CurrentList(), nullptr);
    EXPECT_LT(app::KaavioIkkuna->CurrentList()->FolderCount, 40) << "the measurement stopped early";
}

TEST_F(ShellTest, ARepeatedMeasurementWaitsWhileAnotherToolIsInTheMiddleOfARun) {
    WriteOptions("[General]\r\nLanguage/Kieli=1\r\n[Chart]\r\nRepeatedScan=1\r\nRepeatInterval=1\r\n");
    Start();
    usage::TKaavioIkkuna& chart = *app::KaavioIkkuna;
    for (int waited = 0; (chart.Scanning() || !chart.CurrentList()) && waited < 100; ++waited)
        Pump(50);
    ASSERT_NE(chart.CurrentList(), nullptr);
    const int64_t files = chart.CurrentList()->FileCount;
    WriteFile(folder_ / "late.txt", "new");
    // The same timer, due every 50 ms instead of every minute.
    SetTimer(chart.Handle(), chart.RepeatTimer(), 50, nullptr);
    {
        widgets::RunningScope search(*app::BackupIkkuna->Run());
        Pump(400);
        EXPECT_EQ(chart.CurrentList()->FileCount, files) << "measured inside the unnecessary-file search";
    }
    Pump(400);
    SetTimer(chart.Handle(), chart.RepeatTimer(), 60000, nullptr);
    EXPECT_EQ(chart.CurrentList()->FileCount, files + 1) << "measured again once the search was over";
}

// A save dialog or message box of a tool window is owned by that window, not by the main window.
TEST_F(ShellTest, WakeUpWhileAToolShowsADialogOfItsOwnKeepsThatDialogInFront) {
    WriteOptions("[General]\r\nLanguage/Kieli=1\r\n");
    Start();
    usage::TKaavioIkkuna& chart = *app::KaavioIkkuna;
    HWND dialog = nullptr;
    HWND foreground = nullptr;
    bool mainAboveDialog = true;
    ModalUser::ClickAndAct(
        Main().Control("Kaytto"), [&] { return chart.InModalLoop() && !chart.Scanning(); },
        [&] {
            dialog = CreateWindowExW(0, L"STATIC", L"Save chart", WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100, 300,
                                     200, chart.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
            EnableWindow(chart.Handle(), FALSE);
            SetForegroundWindow(dialog);
            SendMessageW(Main().Handle(), app::InstanceMessage(), 0, 0);
            foreground = GetForegroundWindow();
            mainAboveDialog = false;
            for (HWND above = GetWindow(dialog, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV))
                mainAboveDialog |= above == Main().Handle();
            EnableWindow(chart.Handle(), TRUE);
            DestroyWindow(dialog);
            PostMessageW(chart.Handle(), WM_CLOSE, 0, 0);
        });
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(foreground, dialog);
    EXPECT_FALSE(mainAboveDialog) << "the disabled main window hides the dialog the user must answer";
}
