#include "app/splash_window.h"

#include "app/pictures.h"
#include "app/window_set.h"

namespace app {
namespace {

using widgets::Kind;

constexpr int kBannerWidth = 560;
constexpr int kBannerHeight = 202;

constexpr char kCaptionLine[] = "Vireo 1.5 - the clean-up utility by Lumoworks";

// clang-format off
constexpr widgets::ControlSpec kControls[] = {
    // name    kind         place (96-DPI px)                            caption       hint  on        style
    {"Image1", Kind::Image, {0, 0, kBannerWidth, kBannerHeight},         ""},
    {"Label1", Kind::Label, {0, kBannerHeight - 19, kBannerWidth, 19},  kCaptionLine, "",   "Image1", SS_CENTER},
};
// clang-format on

}  // namespace

TOdota::TOdota() {
    Create({"Odota... Ladataan ohjelmaa...", kBannerWidth, kBannerHeight, widgets::FrameStyle::Splash, true});
    CreateControls(kControls);
    SetPicture("Image1", SplashBanner());
    SetFont("Label1", {"Arial", 16, true, false});
    SetTextColor("Label1", RGB(0, 0, 128));
    // The caption line lies on the banner's light lower band.
    SetBackColor("Label1", kBannerBandColor);
    ShowInTaskbar(Handle());
}

void TOdota::ShowSplash() {
    // Sized to the picture, centred on the screen.
    const auto banner = Picture("Image1");
    RECT rect{0, 0, Scale(banner->Width()), Scale(banner->Height())};
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + (work.right - work.left - rect.right) / 2;
    const int top = work.top + (work.bottom - work.top - rect.bottom) / 2;
    SetWindowPos(Handle(), HWND_TOPMOST, left, top, rect.right, rect.bottom, SWP_NOACTIVATE);
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(Handle());
}

bool TOdota::Intercept(const widgets::Message& message, LRESULT& result) {
    if (message.id != WM_SETCURSOR)
        return false;
    ::SetCursor(LoadCursorW(nullptr, IDC_APPSTARTING));
    result = TRUE;
    return true;
}

}  // namespace app
