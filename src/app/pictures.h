#pragma once

#include <memory>

#include "widgets/gdi.h"

namespace app {

// The light band at the foot of the splash banner, under its caption line.
inline constexpr COLORREF kBannerBandColor = RGB(232, 240, 250);

// The 560 x 202 start-up banner.
std::shared_ptr<const widgets::Bitmap> SplashBanner();

// The 59 x 43 decorative initial of the main window's welcome line: "W", or "T" for Finnish.
std::shared_ptr<const widgets::Bitmap> InitialLetter(wchar_t letter);

// The 16 x 16 pictures of the main window's buttons.
enum class Glyph { Registry, Duplicates, Unnecessary, SpaceUsage, Options, About, Close };
std::shared_ptr<const widgets::Bitmap> ButtonGlyph(Glyph glyph);

// The program's icon, the songbird, at the given size in pixels; the caller destroys it.
HICON MakeProgramIcon(int size);

// The 16 x 16 flags of the language choice.
std::shared_ptr<const widgets::Bitmap> FinnishFlag();
std::shared_ptr<const widgets::Bitmap> BritishFlag();

}  // namespace app
