#include "app/pictures.h"

#include <cmath>

namespace app {
namespace {

using widgets::Brush;
using widgets::Font;
using widgets::Pen;
using widgets::SelectScope;

void VerticalGradient(HDC dc, const RECT& area, COLORREF top, COLORREF bottom) {
    const int height = area.bottom - area.top;
    for (int y = 0; y < height; ++y) {
        const auto mix = [&](int a, int b) { return a + (b - a) * y / (height > 1 ? height - 1 : 1); };
        Brush band(CreateSolidBrush(RGB(mix(GetRValue(top), GetRValue(bottom)), mix(GetGValue(top), GetGValue(bottom)),
                                        mix(GetBValue(top), GetBValue(bottom)))));
        const RECT line{area.left, area.top + y, area.right, area.top + y + 1};
        FillRect(dc, &line, band.Get());
    }
}

// A small songbird in flight: the program's emblem.
void DrawBird(HDC dc, int x, int y, int size) {
    Brush body(CreateSolidBrush(RGB(96, 128, 48)));
    Brush belly(CreateSolidBrush(RGB(236, 232, 176)));
    Pen outline(CreatePen(PS_SOLID, 2, RGB(40, 60, 24)));
    SelectScope pen(dc, outline.Get());
    {
        SelectScope brush(dc, body.Get());
        const POINT wing[] = {{x + size * 3 / 10, y + size / 2}, {x + size / 2, y}, {x + size * 7 / 10, y + size / 2}};
        Polygon(dc, wing, 3);
        Ellipse(dc, x, y + size * 4 / 10, x + size, y + size * 8 / 10);
    }
    SelectScope brush(dc, belly.Get());
    Ellipse(dc, x + size / 5, y + size * 6 / 10, x + size * 3 / 4, y + size * 8 / 10);
    Brush eye(CreateSolidBrush(RGB(0, 0, 0)));
    SelectScope eyeBrush(dc, eye.Get());
    Ellipse(dc, x + size * 8 / 10, y + size / 2, x + size * 87 / 100, y + size * 57 / 100);
}

}  // namespace

std::shared_ptr<const widgets::Bitmap> SplashBanner() {
    return std::make_shared<widgets::Bitmap>(560, 202, [](HDC dc) {
        VerticalGradient(dc, RECT{0, 0, 560, 183}, RGB(16, 40, 120), RGB(70, 130, 210));
        const RECT band{0, 183, 560, 202};
        Brush light(CreateSolidBrush(kBannerBandColor));
        FillRect(dc, &band, light.Get());
        DrawBird(dc, 40, 40, 110);

        SetBkMode(dc, TRANSPARENT);
        Font title(CreateFontW(-84, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Arial"));
        Font subtitle(CreateFontW(-20, 0, 0, 0, FW_NORMAL, TRUE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Arial"));
        {
            SelectScope font(dc, title.Get());
            SetTextColor(dc, RGB(255, 255, 255));
            TextOutW(dc, 190, 36, L"Vireo", 5);
        }
        SelectScope font(dc, subtitle.Get());
        SetTextColor(dc, RGB(210, 225, 255));
        const wchar_t line[] = L"registry, unnecessary files, duplicates, space usage";
        TextOutW(dc, 194, 130, line, static_cast<int>(std::size(line) - 1));
    });
}

}  // namespace app
