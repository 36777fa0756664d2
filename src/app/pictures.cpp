#include "app/pictures.h"

#include <functional>
#include <initializer_list>
#include <vector>

#include "widgets/drawing.h"
#include "widgets/stock_pictures.h"

namespace app {
namespace {

using widgets::Brush;
using widgets::Fill;
using widgets::Font;
using widgets::Line;
using widgets::Pen;
using widgets::SelectScope;
using widgets::Shape;
using widgets::VerticalGradient;

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

void DrawGlyph(HDC dc, Glyph glyph) {
    const COLORREF edge = RGB(40, 40, 40);
    switch (glyph) {
        case Glyph::Registry:  // three linked blocks, as the registry's tree of keys
            Line(dc, 1, RGB(60, 60, 60), {{3, 4}, {3, 12}, {9, 12}});
            Line(dc, 1, RGB(60, 60, 60), {{3, 7}, {9, 7}});
            Shape(dc, RGB(70, 110, 200), edge, [&] { Rectangle(dc, 0, 0, 7, 5); });
            Shape(dc, RGB(90, 170, 90), edge, [&] { Rectangle(dc, 8, 5, 15, 10); });
            Shape(dc, RGB(220, 160, 50), edge, [&] { Rectangle(dc, 8, 10, 15, 15); });
            break;
        case Glyph::Duplicates:  // two overlapping pages
            Shape(dc, RGB(255, 255, 255), edge, [&] { Rectangle(dc, 1, 1, 10, 12); });
            Shape(dc, RGB(220, 235, 255), edge, [&] { Rectangle(dc, 5, 4, 14, 15); });
            Line(dc, 1, RGB(80, 110, 170), {{7, 7}, {12, 7}});
            Line(dc, 1, RGB(80, 110, 170), {{7, 10}, {12, 10}});
            break;
        case Glyph::Unnecessary:  // a waste basket
            Shape(dc, RGB(150, 160, 170), edge, [&] {
                const POINT bin[] = {{3, 4}, {13, 4}, {12, 15}, {4, 15}};
                Polygon(dc, bin, 4);
            });
            Shape(dc, RGB(120, 130, 140), edge, [&] { Rectangle(dc, 2, 2, 15, 5); });
            Line(dc, 1, RGB(70, 70, 70), {{6, 6}, {6, 14}});
            Line(dc, 1, RGB(70, 70, 70), {{10, 6}, {10, 14}});
            break;
        case Glyph::SpaceUsage:  // a pie with one slice out
            Shape(dc, RGB(70, 120, 210), edge, [&] { Pie(dc, 0, 1, 14, 15, 14, 8, 7, 1); });
            Shape(dc, RGB(230, 90, 60), edge, [&] { Pie(dc, 2, 0, 16, 14, 9, 0, 16, 7); });
            break;
        case Glyph::Options:  // a tick in a box
            Shape(dc, RGB(255, 255, 255), edge, [&] { Rectangle(dc, 1, 1, 15, 15); });
            Line(dc, 2, RGB(0, 130, 0), {{4, 8}, {7, 11}, {12, 4}});
            break;
        case Glyph::About: {  // an "i" in a blue disc
            Shape(dc, RGB(40, 90, 200), RGB(20, 50, 140), [&] { Ellipse(dc, 0, 0, 16, 16); });
            Fill(dc, RECT{7, 3, 9, 5}, RGB(255, 255, 255));
            Fill(dc, RECT{7, 6, 9, 13}, RGB(255, 255, 255));
            break;
        }
        case Glyph::Close:
            break;
    }
}

}  // namespace

std::shared_ptr<const widgets::Bitmap> InitialLetter(wchar_t letter) {
    return std::make_shared<widgets::Bitmap>(59, 43, [letter](HDC dc) {
        // A drop capital: a shadowed serif letter in navy, outlined in gold.
        SetBkMode(dc, TRANSPARENT);
        Font face(CreateFontW(-46, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, VARIABLE_PITCH | FF_ROMAN,
                              L"Times New Roman"));
        SelectScope font(dc, face.Get());
        RECT box{0, -4, 59, 43};
        SetTextColor(dc, RGB(160, 170, 190));
        RECT shadow = box;
        OffsetRect(&shadow, 3, 3);
        DrawTextW(dc, &letter, 1, &shadow, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        SetTextColor(dc, RGB(200, 160, 40));
        for (const POINT offset : {POINT{-1, 0}, POINT{1, 0}, POINT{0, -1}, POINT{0, 1}}) {
            RECT outline = box;
            OffsetRect(&outline, offset.x, offset.y);
            DrawTextW(dc, &letter, 1, &outline, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
        SetTextColor(dc, RGB(0, 0, 128));
        DrawTextW(dc, &letter, 1, &box, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    });
}

HICON MakeProgramIcon(int size) {
    const widgets::Bitmap color(size, size, [size](HDC dc) {
        const RECT tile{0, 0, size, size};
        Brush sky(CreateSolidBrush(RGB(210, 228, 250)));
        FillRect(dc, &tile, sky.Get());
        DrawBird(dc, 0, 0, size);
    });
    // Every pixel is painted, so the mask is all opaque.
    std::vector<BYTE> maskBits(static_cast<size_t>((size + 15) / 16 * 2 * size), 0);
    widgets::GdiObject<HBITMAP> mask(CreateBitmap(size, size, 1, 1, maskBits.data()));
    ICONINFO info{TRUE, 0, 0, mask.Get(), color.Handle()};
    return CreateIconIndirect(&info);
}

std::shared_ptr<const widgets::Bitmap> ButtonGlyph(Glyph glyph) {
    if (glyph == Glyph::Close)
        return widgets::StockPicture(widgets::Stock::Close);
    return std::make_shared<widgets::Bitmap>(16, 16, [glyph](HDC dc) { DrawGlyph(dc, glyph); });
}

std::shared_ptr<const widgets::Bitmap> FinnishFlag() {
    return std::make_shared<widgets::Bitmap>(16, 16, [](HDC dc) {
        Fill(dc, RECT{0, 3, 16, 13}, RGB(255, 255, 255));
        Fill(dc, RECT{4, 3, 7, 13}, RGB(0, 47, 108));
        Fill(dc, RECT{0, 7, 16, 9}, RGB(0, 47, 108));
    });
}

std::shared_ptr<const widgets::Bitmap> BritishFlag() {
    return std::make_shared<widgets::Bitmap>(16, 16, [](HDC dc) {
        Fill(dc, RECT{0, 3, 16, 13}, RGB(1, 33, 105));
        Line(dc, 2, RGB(255, 255, 255), {{0, 3}, {16, 13}});
        Line(dc, 2, RGB(255, 255, 255), {{16, 3}, {0, 13}});
        Line(dc, 1, RGB(200, 16, 46), {{0, 3}, {16, 13}});
        Line(dc, 1, RGB(200, 16, 46), {{16, 3}, {0, 13}});
        Fill(dc, RECT{6, 3, 10, 13}, RGB(255, 255, 255));
        Fill(dc, RECT{0, 6, 16, 10}, RGB(255, 255, 255));
        Fill(dc, RECT{7, 3, 9, 13}, RGB(200, 16, 46));
        Fill(dc, RECT{0, 7, 16, 9}, RGB(200, 16, 46));
    });
}

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
