#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/window_set.h"
#include "support/win/window_driver.h"
#include "widgets/run_policy.h"
#include "win/shell/shell_fixture.h"

using namespace testing_support;

namespace {

// Shows a tool window modally from the main window's button and holds it on screen for a while.
void HoldToolOpen(app::TPaaIkkuna& main, const char* button, widgets::Window& tool, DWORD milliseconds) {
    static DWORD holdFor = 0;
    static widgets::Window* shown = nullptr;
    holdFor = milliseconds;
    shown = &tool;
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
        // Held only once a measurement the window started on showing has finished.
        if (!shown->Visible() || (shown->Run() && shown->Run()->Running()))
            return;
        KillTimer(nullptr, id);
        std::printf("look: %s\n", shown->Caption().c_str());
        std::fflush(stdout);
        Pump(holdFor);
        PostMessageW(shown->Handle(), WM_CLOSE, 0, 0);
    });
    PointerClick(main.Control(button));
    Pump(200);
}

}  // namespace

// Only on request (VIREO_LOOK=1, VIREO_LOOK_FI=1 for Finnish): the main window, then each tool opened from it,
// each held on screen for six seconds.
TEST_F(ShellTest, LookOfEveryWindowOpenedFromTheMainWindow) {
    if (!std::getenv("VIREO_LOOK"))
        GTEST_SKIP() << "set VIREO_LOOK=1 to hold the windows on screen";
    WriteOptions(std::getenv("VIREO_LOOK_FI") ? "[General]\r\nLanguage/Kieli=0\r\n"
                                              : "[General]\r\nLanguage/Kieli=1\r\n");
    WriteFile(folder_ / "Photos\\holiday.jpg", std::string(40000, 'p'));
    WriteFile(folder_ / "Docs\\report.doc", std::string(12000, 'd'));
    WriteFile(folder_ / "notes.txt", std::string(9000, 'n'));
    Start();
    std::printf("look: main\n");
    std::fflush(stdout);
    Pump(6000);
    HoldToolOpen(Main(), "Kaksois", *app::KaksoisIkkuna, 6000);
    HoldToolOpen(Main(), "Kaytto", *app::KaavioIkkuna, 6000);
    EXPECT_FALSE(app::KaavioIkkuna->Visible());
}
