#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "usage/pie_geometry.h"

namespace widgets {

struct PieSlice {
    double value = 0;
    std::string label;
    COLORREF color = RGB(255, 255, 255);
};

// The slice labels' font; the size is in points.
struct PieLabelFont {
    std::string name = "Arial";
    int size = 8;
    COLORREF color = RGB(0, 0, 0);
    bool bold = false;
    bool italic = false;
};

// Everything the picture shows, independent of where it is drawn.
struct PieContent {
    std::string title;
    std::vector<PieSlice> slices;
    PieLabelFont labelFont;
    int radius = 0;  // largest radius in chart units; 0 fills the chart
    UINT dpi = 96;   // chart units per inch, for the fonts
    usage::PieView view;
};

// Where the title, the pie and the labels go in a chart of the given size, measured with the screen's
// fonts so that every copy (screen, printer, files) has the same layout.
struct PieLayout {
    SIZE size{};
    int titleHeight = 0;
    usage::PieShapes shapes;
    std::vector<usage::PieRect> labels;
};

PieLayout LayOutPie(const PieContent& content, SIZE size);

// The one drawing of the chart, in chart units from (0, 0); the caller maps them onto the device. Uses only
// calls a Windows metafile can record.
void DrawPie(HDC dc, const PieContent& content, const PieLayout& layout);

}  // namespace widgets
