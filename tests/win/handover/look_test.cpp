#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/options_handover.h"
#include "base/texts.h"
#include "settings/options_window.h"
#include "support/win/window_driver.h"
#include "widgets/dialogs.h"

namespace {

// Only on request (VIREO_LOOK=1): the options window on the page VIREO_LOOK_PAGE (0 to 3), with the
// measure choice unavailable, held on screen for VIREO_LOOK_MS milliseconds (six seconds unless told); in
// Finnish with VIREO_LOOK_FI.
TEST(OptionsWindowLook, HeldOnScreenOnAPage) {
    if (!std::getenv("VIREO_LOOK"))
        GTEST_SKIP() << "set VIREO_LOOK=1 to hold the window on screen";
    const char* page = std::getenv("VIREO_LOOK_PAGE");
    settings::TOptionsIkkuna window;
    if (std::getenv("VIREO_LOOK_FI"))
        window.ApplyFinnishTexts();
    settings::ChartFlags flags;
    flags.Disabled = true;
    flags.MB = true;
    window.SpaceUsageFlags = [flags] { return flags; };
    window.ShowPage("Asetukset", page ? std::atoi(page) : 0);
    window.Show();
    const char* hold = std::getenv("VIREO_LOOK_MS");
    testing_support::Pump(hold ? static_cast<DWORD>(std::atoi(hold)) : 6000);
    EXPECT_TRUE(window.Checked("btnMB"));
}

// Only on request (VIREO_LOOK=1): the message about options that could not be saved, as the program shows
// it, held for VIREO_LOOK_MS milliseconds; in Finnish with VIREO_LOOK_FI.
TEST(UnsavedOptionsLook, HeldOnScreen) {
    if (!std::getenv("VIREO_LOOK"))
        GTEST_SKIP() << "set VIREO_LOOK=1 to hold the message on screen";
    base::SetFinnishUI(std::getenv("VIREO_LOOK_FI") != nullptr);
    const char* hold = std::getenv("VIREO_LOOK_MS");
    SetTimer(nullptr, 0, hold ? static_cast<UINT>(std::atoi(hold)) : 6000, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        if (HWND box = GetActiveWindow())
            PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    widgets::Win32Dialogs dialogs;
    EXPECT_EQ(dialogs.Message(app::UnsavedOptionsText("C:\\Program Files\\Vireo\\Options.ini"),
                              widgets::MessageKind::Error, widgets::MessageButtons::Ok),
              IDOK);
    base::SetFinnishUI(false);
}

}  // namespace
