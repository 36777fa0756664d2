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

// A small songbird perched on a twig: the program's emblem, drawn in a box of size x size.
void DrawBird(HDC dc, int x, int y, int size) {
    const auto at = [&](int px, int py) { return POINT{x + size * px / 100, y + size * py / 100}; };
    Pen outline(CreatePen(PS_SOLID, 2, RGB(40, 56, 24)));
    SelectScope pen(dc, outline.Get());
    Pen twigPen(CreatePen(PS_SOLID, 5, RGB(120, 80, 40)));
    {
        SelectScope twig(dc, twigPen.Get());
        MoveToEx(dc, x, y + size * 88 / 100, nullptr);
        LineTo(dc, x + size, y + size * 80 / 100);
    }
    Brush olive(CreateSolidBrush(RGB(110, 140, 60)));
    Brush cream(CreateSolidBrush(RGB(240, 236, 190)));
    Brush dark(CreateSolidBrush(RGB(30, 30, 30)));
    Brush beak(CreateSolidBrush(RGB(90, 90, 90)));
    {
        SelectScope brush(dc, olive.Get());
        const POINT tail[] = {at(30, 55), at(2, 78), at(10, 84), at(38, 68)};
        Polygon(dc, tail, 4);
        Ellipse(dc, x + size * 22 / 100, y + size * 38 / 100, x + size * 78 / 100, y + size * 80 / 100);
        Ellipse(dc, x + size * 58 / 100, y + size * 18 / 100, x + size * 88 / 100, y + size * 48 / 100);
    }
    {
        SelectScope brush(dc, cream.Get());
        Ellipse(dc, x + size * 40 / 100, y + size * 52 / 100, x + size * 76 / 100, y + size * 79 / 100);
    }
    {
        SelectScope brush(dc, beak.Get());
        const POINT bill[] = {at(86, 28), at(99, 33), at(86, 37)};
        Polygon(dc, bill, 3);
    }
    SelectScope brush(dc, olive.Get());
    const POINT wing[] = {at(30, 48), at(62, 44), at(56, 66), at(34, 62)};
    Polygon(dc, wing, 4);
    SelectScope eye(dc, dark.Get());
    Ellipse(dc, x + size * 74 / 100, y + size * 26 / 100, x + size * 79 / 100, y + size * 31 / 100);
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
        Font subtitle(CreateFontW(-18, 0, 0, 0, FW_NORMAL, TRUE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Arial"));
        {
            SelectScope font(dc, title.Get());
            SetTextColor(dc, RGB(255, 255, 255));
            TextOutW(dc, 190, 36, L"Vireo", 5);
        }
        SelectScope font(dc, subtitle.Get());
        SetTextColor(dc, RGB(210, 225, 255));
        const wchar_t line[] = L"the registry, unnecessary files, duplicates";
        TextOutW(dc, 194, 130, line, static_cast<int>(std::size(line) - 1));
    });
}

}  // namespace app
