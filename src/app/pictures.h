#pragma once

#include <memory>

#include "widgets/gdi.h"

namespace app {

// The light band at the foot of the splash banner, under its caption line.
inline constexpr COLORREF kBannerBandColor = RGB(232, 240, 250);

// The 560 x 202 start-up banner.
std::shared_ptr<const widgets::Bitmap> SplashBanner();

}  // namespace app
