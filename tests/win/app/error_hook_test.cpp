#include <windows.h>

#include <gtest/gtest.h>

#include "app/application.h"
#include "app/window_set.h"
#include "base/error.h"
#include "widgets/window.h"

namespace {

using widgets::Kind;

constexpr widgets::ControlSpec kControls[] = {
    {"Boom", Kind::Button, {8, 8, 75, 25}, "&Boom", "Raises an error"},
    {"Count", Kind::Button, {8, 40, 75, 25}, "&Count", ""},
};

class FailingWindow : public widgets::Window {
  public:
    FailingWindow() {
        Create({"Failing", 200, 80});
        CreateControls(kControls);
        OnClick("Boom", [this] {
            ++boomClicks;
            throw base::Error("Can not open key \\Software\\Gone");
            ++stepsAfterTheError;  // never reached: the operation ends where it failed
        });
        OnClick("Count", [this] { ++countClicks; });
        StartTimer(10, false, [] { throw std::runtime_error("from a timer"); });
    }
    int boomClicks = 0;
    int countClicks = 0;
    int stepsAfterTheError = 0;
};

}  // namespace

TEST(ErrorHook, AnErrorInAHandlerHidesTheSplashAndTheProgramGoesOn) {
    app::InstallErrorHook();
    app::OdotaIkkuna = std::make_unique<app::TOdota>();
    app::OdotaIkkuna->ShowSplash();
    ASSERT_TRUE(app::OdotaIkkuna->Visible());

    FailingWindow window;
    window.Show();
    SendMessageW(window.Control("Boom"), BM_CLICK, 0, 0);
    widgets::ProcessMessages();

    EXPECT_EQ(window.boomClicks, 1);
    EXPECT_EQ(window.stepsAfterTheError, 0);
    EXPECT_FALSE(app::OdotaIkkuna->Visible()) << "the splash must be hidden by the error hook";
    EXPECT_TRUE(IsWindow(window.Handle()));

    // The window still answers, and a later error (from a timer this time) is discarded too.
    SendMessageW(window.Control("Count"), BM_CLICK, 0, 0);
    SendMessageW(window.Control("Boom"), BM_CLICK, 0, 0);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 200) {
        widgets::ProcessMessages();
        Sleep(10);
    }
    EXPECT_EQ(window.countClicks, 1);
    EXPECT_EQ(window.boomClicks, 2);
    EXPECT_TRUE(window.Visible());
    app::DestroySplash();
    EXPECT_EQ(app::OdotaIkkuna, nullptr);
}
