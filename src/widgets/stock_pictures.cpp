#include "widgets/stock_pictures.h"

#include "widgets/drawing.h"

namespace widgets {
namespace {

// A magnifying glass over two blocks.
void DrawFind(HDC dc) {
    Box(dc, RECT{1, 1, 8, 8}, RGB(90, 140, 220), RGB(30, 60, 130));
    Box(dc, RECT{4, 4, 11, 11}, RGB(120, 190, 120), RGB(30, 100, 30));
    Brush glass(CreateSolidBrush(RGB(220, 240, 255)));
    Pen rim(CreatePen(PS_SOLID, 2, RGB(40, 40, 40)));
    SelectScope b(dc, glass.Get());
    SelectScope p(dc, rim.Get());
    Ellipse(dc, 6, 6, 13, 13);
    Line(dc, 3, RGB(40, 40, 40), {{12, 12}, {15, 15}});
}

// A red stop sign.
void DrawStop(HDC dc) {
    Shape(dc, RGB(200, 30, 30), RGB(120, 10, 10), [&] {
        const POINT sign[] = {{5, 1}, {10, 1}, {14, 5}, {14, 10}, {10, 14}, {5, 14}, {1, 10}, {1, 5}};
        Polygon(dc, sign, 8);
    });
    Line(dc, 2, RGB(255, 255, 255), {{4, 7}, {11, 7}});
}

// A sheet with a red cross over it.
void DrawDelete(HDC dc) {
    Box(dc, RECT{2, 1, 12, 15}, RGB(255, 255, 255), RGB(90, 90, 90));
    for (int y = 4; y < 13; y += 3)
        Line(dc, 1, RGB(150, 150, 150), {{4, y}, {10, y}});
    Line(dc, 2, RGB(200, 30, 30), {{7, 7}, {14, 14}});
    Line(dc, 2, RGB(200, 30, 30), {{14, 7}, {7, 14}});
}

// Three ticked lines.
void DrawSelectAll(HDC dc) {
    for (int y = 2; y < 15; y += 5) {
        Box(dc, RECT{1, y, 5, y + 4}, RGB(255, 255, 255), RGB(60, 60, 60));
        Line(dc, 1, RGB(20, 120, 20), {{2, y + 2}, {3, y + 3}, {5, y}});
        Line(dc, 2, RGB(10, 36, 106), {{7, y + 2}, {15, y + 2}});
    }
}

// An open door with an arrow going out.
void DrawClose(HDC dc) {
    Box(dc, RECT{6, 1, 14, 15}, RGB(160, 110, 60), RGB(90, 60, 30));
    Box(dc, RECT{11, 7, 13, 9}, RGB(240, 200, 60), RGB(240, 200, 60));
    Line(dc, 2, RGB(30, 100, 200), {{1, 8}, {8, 8}});
    Line(dc, 2, RGB(30, 100, 200), {{5, 5}, {8, 8}, {5, 11}});
}

// A folder with an arrow pointing up.
void DrawUp(HDC dc) {
    Box(dc, RECT{1, 5, 15, 15}, RGB(240, 200, 90), RGB(150, 110, 30));
    Box(dc, RECT{1, 3, 7, 6}, RGB(240, 200, 90), RGB(150, 110, 30));
    Line(dc, 2, RGB(30, 100, 30), {{8, 13}, {8, 7}});
    Line(dc, 2, RGB(30, 100, 30), {{5, 10}, {8, 7}, {11, 10}});
}

// A printer with a sheet coming out.
void DrawPrint(HDC dc) {
    Box(dc, RECT{4, 1, 12, 7}, RGB(255, 255, 255), RGB(90, 90, 90));
    Box(dc, RECT{1, 6, 15, 12}, RGB(170, 170, 180), RGB(60, 60, 70));
    Box(dc, RECT{4, 10, 12, 15}, RGB(255, 255, 255), RGB(90, 90, 90));
    Fill(dc, RECT{12, 8, 14, 9}, RGB(40, 180, 40));
}

// A diskette.
void DrawSave(HDC dc) {
    Box(dc, RECT{1, 1, 15, 15}, RGB(40, 70, 150), RGB(20, 30, 80));
    Box(dc, RECT{4, 1, 12, 6}, RGB(220, 220, 220), RGB(120, 120, 120));
    Box(dc, RECT{3, 9, 13, 15}, RGB(255, 255, 255), RGB(120, 120, 120));
}

}  // namespace

std::shared_ptr<const Bitmap> StockPicture(Stock picture) {
    using Draw = void (*)(HDC);
    constexpr Draw kDraw[] = {DrawFind, DrawStop, DrawDelete, DrawSelectAll, DrawClose, DrawUp, DrawPrint, DrawSave};
    return std::make_shared<Bitmap>(16, 16, kDraw[static_cast<size_t>(picture)]);
}

void SetStockPictures(Window& window, std::span<const std::pair<const char*, Stock>> buttons) {
    for (const auto& [button, picture] : buttons)
        window.SetPicture(button, StockPicture(picture));
}

}  // namespace widgets
