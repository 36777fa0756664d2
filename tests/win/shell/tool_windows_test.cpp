#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "app/window_set.h"
#include "support/win/window_driver.h"
#include "win/shell/shell_fixture.h"

using namespace testing_support;

namespace {

// Acts once from inside a window's modal loop, when the window has settled; gives up after ten seconds
// so a window that never settles fails the test instead of hanging it.
std::function<bool()> settled;
std::function<void()> act;
int ticksLeft = 0;
void CALLBACK ActWhenSettled(HWND, UINT, UINT_PTR id, DWORD) {
    if (!settled() && --ticksLeft > 0)
        return;
    KillTimer(nullptr, id);
    act();
}
void ActInsideModalLoop(std::function<bool()> ready, std::function<void()> action) {
    settled = std::move(ready);
    act = std::move(action);
    ticksLeft = 200;
    SetTimer(nullptr, 0, 50, ActWhenSettled);
}

struct Tool {
    const char* button;
    widgets::Window* window;
    std::function<bool()> settled;
};

std::vector<Tool> ToolWindows() {
    auto* duplicates = app::KaksoisIkkuna.get();
    auto* usage = app::KaavioIkkuna.get();
    return {
        {"Kaksois", duplicates, [duplicates] { return duplicates->FirstShowingDone(); }},
        {"Kaytto", usage, [usage] { return !usage->Scanning() && usage->CurrentList() != nullptr; }},
    };
}

}  // namespace

TEST_F(ShellTest, ToolButtonsShowTheirWindowsModallyOverTheMainWindow) {
    WriteOptions("[General]\r\nLanguage/Kieli=1\r\n");
    Start();
    FailOnEscapedErrors loud;
    EXPECT_FALSE(Main().Enabled("Backups")) << "no window behind it yet";
    for (const Tool& tool : ToolWindows()) {
        ASSERT_TRUE(Main().Enabled(tool.button)) << tool.button;
        bool shownModally = false;
        bool mainDisabled = false;
        ActInsideModalLoop(tool.settled, [&] {
            shownModally = tool.window->Visible() && tool.window->InModalLoop();
            mainDisabled = !IsWindowEnabled(Main().Handle());
            PostMessageW(tool.window->Handle(), WM_CLOSE, 0, 0);
        });
        PointerClick(Main().Control(tool.button));
        Pump(100);
        EXPECT_TRUE(shownModally) << tool.button;
        EXPECT_TRUE(mainDisabled) << tool.button << ": the main window waits while the tool is open";
        EXPECT_FALSE(tool.window->Visible()) << tool.button;
        EXPECT_TRUE(IsWindowEnabled(Main().Handle())) << tool.button;
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
