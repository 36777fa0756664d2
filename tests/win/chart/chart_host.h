#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "widgets/pie_chart.h"
#include "widgets/window.h"

namespace chart_test {

// A window holding the chart as the space-usage window does: a place in its table, the control adopted.
class ChartHost : public widgets::Window {
  public:
    ChartHost();
    widgets::TPieChart& Chart() { return *chart_; }

  private:
    std::unique_ptr<widgets::TPieChart> chart_;
};

// Eight slices of distinct colours with the navy free-space slice, then an empty and an unlabelled one.
void AddSampleSlices(widgets::TPieChart& chart);
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr int kNavyIndex = 7;

// The top-down 32-bit pixels of a picture drawn by draw onto a white canvas of the given size.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> colors;
    COLORREF At(int x, int y) const { return colors[static_cast<size_t>(y) * width + x]; }
    int Count(COLORREF color) const;
    // A point whose whole 5 x 5 neighbourhood has the colour; {-1, -1} when there is none.
    POINT InsideOf(COLORREF color) const;
};
template <typename Draw>
Pixels Render(int width, int height, Draw draw);
Pixels RenderWith(int width, int height, void (*draw)(HDC, void*), void* context);

template <typename Draw>
Pixels Render(int width, int height, Draw draw) {
    return RenderWith(
        width, height, [](HDC dc, void* context) { (*static_cast<Draw*>(context))(dc); }, &draw);
}

void PumpFor(DWORD milliseconds);

}  // namespace chart_test
