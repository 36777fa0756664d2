#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/texts.h"
#include "settings/options_window.h"
#include "support/win/window_driver.h"

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

}  // namespace
