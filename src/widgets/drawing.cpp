#include "widgets/drawing.h"

#include "widgets/gdi.h"

namespace widgets {

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

void Shape(HDC dc, COLORREF fill, COLORREF edge, const std::function<void()>& draw) {
    Brush brush(CreateSolidBrush(fill));
    Pen pen(CreatePen(PS_SOLID, 1, edge));
    SelectScope selectBrush(dc, brush.Get());
    SelectScope selectPen(dc, pen.Get());
    draw();
}

void Box(HDC dc, const RECT& box, COLORREF fill, COLORREF edge) {
    Shape(dc, fill, edge, [&] { Rectangle(dc, box.left, box.top, box.right, box.bottom); });
}

void Fill(HDC dc, const RECT& area, COLORREF color) {
    Brush brush(CreateSolidBrush(color));
    FillRect(dc, &area, brush.Get());
}

}  // namespace widgets
