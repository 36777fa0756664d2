#include "widgets/pie_chart_draw.h"

#include <algorithm>
#include <cmath>

#include "platform/win32/unicode.h"
#include "widgets/gdi.h"

namespace widgets {
namespace {

using platform::win32::Widen;

constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kOutline = RGB(32, 32, 32);
constexpr COLORREF kTitleColor = RGB(0, 0, 0);
constexpr int kMargin = 4;

Font LabelFontOf(const PieLabelFont& label, UINT dpi, double scale, bool bold) {
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(label.size * scale * dpi / 72.0));
    font.lfWeight = bold || label.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = label.italic ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynW(font.lfFaceName, Widen(label.name).c_str(), LF_FACESIZE);
    return Font(CreateFontIndirectW(&font));
}

Font TitleFontOf(const PieContent& content) {
    return LabelFontOf(content.labelFont, content.dpi, 1.25, true);
}

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

SIZE TextSize(HDC dc, const std::string& text) {
    const std::wstring wide = Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

POINT Rounded(usage::PiePoint p) {
    return {static_cast<LONG>(std::lround(p.x)), static_cast<LONG>(std::lround(p.y))};
}

std::vector<POINT> Rounded(const auto& points) {
    std::vector<POINT> result;
    result.reserve(points.size());
    for (const usage::PiePoint& p : points)
        result.push_back(Rounded(p));
    return result;
}

COLORREF Shaded(COLORREF color, double light) {
    auto channel = [light](int value) { return static_cast<BYTE>(std::clamp(std::lround(value * light), 0L, 255L)); };
    return RGB(channel(GetRValue(color)), channel(GetGValue(color)), channel(GetBValue(color)));
}

void FillPolygon(HDC dc, const std::vector<POINT>& points, COLORREF fill, COLORREF edge) {
    if (points.size() < 3)
        return;
    Pen pen(CreatePen(PS_SOLID, 1, edge));
    Brush brush(CreateSolidBrush(fill));
    SelectScope usePen(dc, pen.Get());
    SelectScope useBrush(dc, brush.Get());
    Polygon(dc, points.data(), static_cast<int>(points.size()));
}

void DrawSide(HDC dc, const usage::SliceShape& slice, COLORREF color) {
    for (const usage::WallPiece& piece : slice.wall) {
        // Each piece is edged in its own shade so that no seam shows between neighbours.
        const COLORREF shade = Shaded(color, piece.light);
        FillPolygon(dc, Rounded(piece.corners), shade, shade);
    }
    Pen pen(CreatePen(PS_SOLID, 1, kOutline));
    SelectScope usePen(dc, pen.Get());
    for (const auto& line : slice.wallLines) {
        const std::vector<POINT> points = Rounded(line);
        Polyline(dc, points.data(), static_cast<int>(points.size()));
    }
}

void PutText(HDC dc, HFONT font, COLORREF color, UINT align, int x, int y, const std::string& text) {
    const std::wstring wide = Widen(text);
    SelectScope useFont(dc, font);
    SetTextColor(dc, color);
    SetTextAlign(dc, align);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

}  // namespace

PieLayout LayOutPie(const PieContent& content, SIZE size) {
    PieLayout layout;
    layout.size = size;
    MemoryDC measure;
    const double margin = kMargin * content.dpi / 96.0;
    if (!content.title.empty()) {
        const Font titleFont = TitleFontOf(content);
        SelectScope useTitle(measure.Get(), titleFont.Get());
        layout.titleHeight = static_cast<int>(TextSize(measure.Get(), content.title).cy + 2 * margin);
    }
    const Font labelFont = LabelFontOf(content.labelFont, content.dpi, 1, false);
    SelectScope useLabel(measure.Get(), labelFont.Get());
    std::vector<usage::PieSize> sizes;
    std::vector<double> values;
    for (const PieSlice& slice : content.slices) {
        values.push_back(slice.value);
        usage::PieSize labelSize;
        if (!IsBlank(slice.label)) {
            const SIZE text = TextSize(measure.Get(), slice.label);
            labelSize = {static_cast<double>(text.cx), static_cast<double>(text.cy)};
        }
        sizes.push_back(labelSize);
    }
    const usage::PieRect chart{margin, layout.titleHeight + margin, size.cx - margin, size.cy - margin};
    const double gap = 6 * content.dpi / 96.0;
    const usage::PieMargins margins = usage::LabelMargins(values, sizes, gap, content.view);
    const usage::PieFrame frame = usage::FitPie(chart, content.radius, margins, content.view);
    layout.shapes = usage::ShapePie(values, frame);
    layout.labels = usage::PlaceLabels(layout.shapes, sizes, gap, chart);
    return layout;
}

void DrawPie(HDC dc, const PieContent& content, const PieLayout& layout) {
    const int saved = SaveDC(dc);
    {
        Brush background(CreateSolidBrush(kBackground));
        SelectScope usePen(dc, GetStockObject(NULL_PEN));
        SelectScope useBrush(dc, background.Get());
        Rectangle(dc, 0, 0, layout.size.cx + 1, layout.size.cy + 1);
    }
    SetBkMode(dc, TRANSPARENT);
    if (!content.title.empty()) {
        const Font titleFont = TitleFontOf(content);
        PutText(dc, titleFont.Get(), kTitleColor, TA_CENTER | TA_TOP | TA_NOUPDATECP, layout.size.cx / 2,
                static_cast<int>(std::lround(kMargin * content.dpi / 96.0)), content.title);
    }
    // The pie is one convex body: the faces that look at the eye never cover each other, so their order is free.
    for (const usage::SliceShape& slice : layout.shapes.slices)
        DrawSide(dc, slice, content.slices[static_cast<size_t>(slice.index)].color);
    for (const usage::SliceShape& slice : layout.shapes.slices)
        FillPolygon(dc, Rounded(slice.top), content.slices[static_cast<size_t>(slice.index)].color, kOutline);

    const Font labelFont = LabelFontOf(content.labelFont, content.dpi, 1, false);
    for (size_t i = 0; i < layout.labels.size() && i < content.slices.size(); ++i) {
        const usage::PieRect& box = layout.labels[i];
        if (box.Width() <= 0)
            continue;
        PutText(dc, labelFont.Get(), content.labelFont.color, TA_LEFT | TA_TOP | TA_NOUPDATECP,
                static_cast<int>(std::lround(box.left)), static_cast<int>(std::lround(box.top)),
                content.slices[i].label);
    }
    RestoreDC(dc, saved);
}

}  // namespace widgets
