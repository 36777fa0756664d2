#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "base/texts.h"
#include "support/win/temp_folder.h"
#include "support/win/window_driver.h"
#include "usage/chart_window.h"
#include "widgets/control_views.h"

namespace {

// Only on request (VIREO_LOOK=1): the window after measuring a small home folder, held on screen for
// eight seconds with the pointer over the largest slice.
TEST(ChartWindowLook, HeldOnScreenAfterAMeasurement) {
    if (!std::getenv("VIREO_LOOK"))
        GTEST_SKIP() << "set VIREO_LOOK=1 to hold the window on screen";
    base::SetFinnishUI(std::getenv("VIREO_LOOK_FI") != nullptr);
    testing_support::TempFolder temp;
    const std::string home = temp / "Home";
    const std::pair<const char*, size_t> files[] = {
        {"Pictures\\beach.jpg", 900'000},   {"Pictures\\city.jpg", 700'000},
        {"Music\\song1.mp3", 520'000},      {"Music\\song2.mp3", 410'000},
        {"Documents\\report.doc", 260'000}, {"Documents\\notes.txt", 40'000},
        {"Programs\\tool.exe", 180'000},    {"setup.exe", 120'000},
        {"Mail\\inbox.mbx", 60'000},        {"readme.txt", 9'000},
        {"Temp\\~old.tmp", 3'000},
    };
    for (const auto& [name, size] : files)
        testing_support::WriteFile(home + "\\" + name, std::string(size, 'x'));

    usage::TKaavioIkkuna window(temp / "Options.ini", home);
    if (base::FinnishUI())
        window.ApplyTexts(usage::ChartFinnishTexts());
    testing_support::Pump(300);
    window.Show();
    SetForegroundWindow(window.Handle());
    for (int waited = 0; (window.Scanning() || !window.CurrentList()) && waited < 100; ++waited)
        testing_support::Pump(100);
    testing_support::Pump(300);
    const widgets::TPieChart& chart = window.Kaavio();
    RECT client{};
    GetClientRect(chart.Handle(), &client);
    for (LONG y = client.bottom / 2; y < client.bottom; y += 4) {
        const POINT p{client.right / 2 + 10, y};
        if (chart.SliceAt(p) == 1) {
            testing_support::MovePointerTo(chart.Handle(), p);
            break;
        }
    }
    testing_support::Pump(8000);
    EXPECT_NE(window.CurrentList(), nullptr);
    base::SetFinnishUI(false);
}

}  // namespace
