#pragma once

#include <windows.h>

#include <functional>

namespace widgets {

// Fills the area with a vertical blend from the top colour to the bottom one.
void VerticalGradient(HDC dc, const RECT& area, COLORREF top, COLORREF bottom);

// Runs draw (Rectangle, Ellipse, Polygon, ...) with a solid fill and a one-pixel edge selected.
void Shape(HDC dc, COLORREF fill, COLORREF edge, const std::function<void()>& draw);

// A filled rectangle with an edge, the commonest shape.
void Box(HDC dc, const RECT& box, COLORREF fill, COLORREF edge);

void Fill(HDC dc, const RECT& area, COLORREF color);

}  // namespace widgets
