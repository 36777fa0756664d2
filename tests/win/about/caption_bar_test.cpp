#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "support/win/window_driver.h"
#include "widgets/about_box.h"
#include "widgets/caption_bar.h"
#include "widgets/window.h"

namespace {

using widgets::CaptionBarColor;
using widgets::CaptionBarLayout;

class PlainWindow : public widgets::Window {
  public:
    PlainWindow(const char* caption, widgets::FrameStyle style) { Create({caption, 417, 120, style}); }
};

// The colour of a pixel of the window's caption, in window coordinates.
COLORREF CaptionPixel(HWND window, int x, int y) {
    HDC dc = GetWindowDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

// A pixel of the bar's gradient away from the text: a little below the bar's top edge.
void ExpectGradient(HWND window, const CaptionBarLayout& layout, bool active) {
    const RECT& bar = layout.bar;
    const int y = bar.top + 1;
    const int width = bar.right - bar.left;
    int firstButton = bar.right;
    for (int i = 0; i < layout.buttonCount; ++i)
        firstButton = std::min<int>(firstButton, layout.buttons[i].left);
    // The first step, at the left edge, and the step just before the buttons.
    EXPECT_EQ(CaptionPixel(window, bar.left, y), CaptionBarColor(active, 0));
    const int x = firstButton - 2;
    int step = 0;  // the last band that starts at or before x, as the bar divides its width
    while (step < 63 && bar.left + width * (step + 1) / 64 <= x)
        ++step;
    EXPECT_EQ(CaptionPixel(window, x, y), CaptionBarColor(active, step)) << "x " << x;
}

}  // namespace

TEST(CaptionBar, GradientStepsRunFromNavyToBlueAndGreyToSilver) {
    EXPECT_EQ(CaptionBarColor(true, 0), RGB(0, 0, 128));
    EXPECT_EQ(CaptionBarColor(true, 63), RGB(0, 0, 255));
    EXPECT_EQ(CaptionBarColor(false, 0), RGB(128, 128, 128));
    EXPECT_EQ(CaptionBarColor(false, 63), RGB(192, 192, 192));
    EXPECT_EQ(CaptionBarColor(true, 32), RGB(0, 0, 128 + 127 * 32 / 63));
    int changes = 0;
    for (int step = 1; step < 64; ++step)
        changes += CaptionBarColor(false, step) != CaptionBarColor(false, step - 1);
    EXPECT_EQ(changes, 63) << "64 distinct steps";
}

TEST(CaptionBar, TheApplicationsNameIsTheBoldPart) {
    auto parts = widgets::SplitCaption(L"Vireo 1.5 by Lumoworks", L"Vireo");
    EXPECT_EQ(parts.bold, L"Vireo");
    EXPECT_EQ(parts.regular, L" 1.5 by Lumoworks");
    parts = widgets::SplitCaption(L"Options", L"Vireo");
    EXPECT_EQ(parts.bold, L"Vireo");
    EXPECT_EQ(parts.regular, L" - Options");
    parts = widgets::SplitCaption(L"Vireos", L"Vireo");  // a longer word is not the name
    EXPECT_EQ(parts.regular, L" - Vireos");
    parts = widgets::SplitCaption(L"", L"Vireo");
    EXPECT_EQ(parts.bold, L"Vireo");
    EXPECT_EQ(parts.regular, L"");
}

TEST(CaptionBar, PaintsTheBarActiveAndInactiveWithoutChangingTheWindow) {
    PlainWindow main("Vireo 1.5 by Lumoworks", widgets::FrameStyle::Main);
    widgets::InstallCaptionBar(main.Handle());
    widgets::InstallCaptionBar(main.Handle());  // a second install changes nothing
    EXPECT_TRUE(widgets::HasCaptionBar(main.Handle()));
    EXPECT_EQ(main.Caption(), "Vireo 1.5 by Lumoworks");

    main.Show();
    SetForegroundWindow(main.Handle());
    testing_support::Pump(150);
    const CaptionBarLayout layout = widgets::MeasureCaptionBar(main.Handle());
    ASSERT_GT(layout.bar.right - layout.bar.left, 300);
    ASSERT_GT(layout.bar.bottom - layout.bar.top, 10);
    EXPECT_GE(layout.buttonCount, 1) << "the close button at least";
    EXPECT_LT(layout.icon.left, layout.icon.right) << "the system menu's icon";
    RECT client{};
    GetClientRect(main.Handle(), &client);
    EXPECT_EQ(client.right, main.Scale(417)) << "the client area keeps its design size";
    ExpectGradient(main.Handle(), layout, true);

    // Another window takes the focus: the bar turns grey.
    PlainWindow other("Options", widgets::FrameStyle::Dialog);
    widgets::InstallCaptionBar(other.Handle());
    other.Show();
    SetForegroundWindow(other.Handle());
    testing_support::Pump(150);
    ExpectGradient(main.Handle(), layout, false);
    ExpectGradient(other.Handle(), widgets::MeasureCaptionBar(other.Handle()), true);

    if (const char* hold = std::getenv("VIREO_HOLD_CAPTIONS")) {
        // For looking at the bars on a screenshot: the main window inactive, then active.
        SetWindowPos(other.Handle(), nullptr, 40, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(main.Handle(), nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        testing_support::Pump(static_cast<DWORD>(std::atoi(hold)));
        SetForegroundWindow(main.Handle());
        testing_support::Pump(static_cast<DWORD>(std::atoi(hold)));
        SetForegroundWindow(other.Handle());
    }

    // A new caption is shown and kept; the window still closes from its close box.
    SendMessageW(main.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Vireo 1.5 by Lumoworks - test"));
    EXPECT_EQ(main.Caption(), "Vireo 1.5 by Lumoworks - test");
    SendMessageW(other.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    testing_support::Pump(150);
    EXPECT_FALSE(other.Visible());
    EXPECT_TRUE(IsWindow(other.Handle()));
}

TEST(CaptionBar, TheAboutBoxWithItsBarStillClosesFromOk) {
    widgets::TAboutBox box;
    widgets::InstallCaptionBar(box.Handle());
    box.StartTimer(100, false, [&] {
        ExpectGradient(box.Handle(), widgets::MeasureCaptionBar(box.Handle()), true);
        SendMessageW(box.Control("OkButton"), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(box.ShowModal(), widgets::mrOk);
    EXPECT_EQ(box.Caption(), "About");

    if (const char* hold = std::getenv("VIREO_HOLD_CAPTIONS")) {
        // For looking at the box on a screenshot: English, then Finnish.
        const DWORD milliseconds = static_cast<DWORD>(std::atoi(hold));
        box.StartTimer(milliseconds, false, [&] {
            box.ApplyTexts(widgets::kAboutBoxFinnish);
            box.StartTimer(milliseconds, false, [&] { box.SetModalResult(widgets::mrOk); });
        });
        box.ShowModal();
    }
}

TEST(CaptionBar, AWindowWithoutACaptionIsLeftAlone) {
    PlainWindow splash("Splash", widgets::FrameStyle::Splash);
    widgets::InstallCaptionBar(splash.Handle());
    const CaptionBarLayout layout = widgets::MeasureCaptionBar(splash.Handle());
    EXPECT_EQ(layout.bar.right - layout.bar.left, 0);
    splash.Show();
    testing_support::Pump(50);
    splash.Hide();
}
