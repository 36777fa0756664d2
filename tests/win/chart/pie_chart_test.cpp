#include <windows.h>

#include <gtest/gtest.h>

#include "chart_host.h"

using namespace chart_test;

namespace {

struct Colored {
    int index;
    COLORREF color;
};
constexpr Colored kDistinct[] = {
    {1, RGB(0, 255, 255)}, {2, RGB(0, 128, 0)}, {3, RGB(255, 0, 255)}, {4, RGB(0, 0, 255)}, {5, RGB(255, 255, 0)},
    {6, RGB(0, 255, 0)},   {7, kNavy},          {8, RGB(255, 0, 0)}};

Pixels Drawn(widgets::TPieChart& chart) {
    const SIZE size = chart.ClientSize();
    return Render(size.cx, size.cy, [&](HDC dc) { chart.Draw(dc); });
}

// A pixel of the navy slice's side: below its top face, a darker blue.
POINT NavySide(const Pixels& pixels) {
    for (int y = pixels.height - 3; y > 2; --y)
        for (int x = 2; x + 2 < pixels.width; ++x) {
            const COLORREF c = pixels.At(x, y);
            if (GetRValue(c) == 0 && GetGValue(c) == 0 && GetBValue(c) > 10 && GetBValue(c) < 128 &&
                pixels.At(x, y - 2) == c && pixels.At(x - 2, y) == c && pixels.At(x + 2, y) == c)
                return {x, y};
        }
    return {-1, -1};
}

void MovePointerTo(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    PumpFor(150);
}

}  // namespace

TEST(PieChart, EverySliceIsFoundWhereItIsDrawnOnTopAndOnItsSide) {
    ChartHost host;
    AddSampleSlices(host.Chart());
    ASSERT_EQ(host.Chart().SliceCount(), 9);
    const Pixels pixels = Drawn(host.Chart());
    for (const Colored& slice : kDistinct) {
        const POINT inside = pixels.InsideOf(slice.color);
        ASSERT_GE(inside.x, 0) << "slice " << slice.index << " is drawn";
        EXPECT_EQ(host.Chart().SliceAt(inside), slice.index);
    }
    const POINT side = NavySide(pixels);
    ASSERT_GE(side.x, 0) << "the navy slice shows a shaded side";
    EXPECT_EQ(host.Chart().SliceAt(side), kNavyIndex);
    EXPECT_GT(side.y, pixels.InsideOf(kNavy).y);
    EXPECT_EQ(host.Chart().SliceAt({3, 3}), -1);
    // The empty slice is neither drawn nor found; the title is above the pie.
    EXPECT_EQ(host.Chart().Slice(0).value, 0);
    EXPECT_GT(pixels.Count(RGB(0, 0, 0)), 0);
}

TEST(PieChart, PointerOverASliceReportsIt) {
    ChartHost host;
    AddSampleSlices(host.Chart());
    host.Show();
    PumpFor(300);
    std::vector<POINT> moves;
    host.Chart().OnMouseMove = [&](POINT p) { moves.push_back(p); };
    const POINT navy = Drawn(host.Chart()).InsideOf(kNavy);
    POINT screen = navy;
    ClientToScreen(host.Chart().Handle(), &screen);
    MovePointerTo(screen);
    ASSERT_FALSE(moves.empty()) << "the chart reported the pointer";
    EXPECT_EQ(moves.back().x, navy.x);
    EXPECT_EQ(moves.back().y, navy.y);
    EXPECT_EQ(host.Chart().SliceAt(moves.back()), kNavyIndex);
    EXPECT_EQ(host.Chart().SliceUnderPointer(), kNavyIndex);

    POINT corner{4, 4};
    ClientToScreen(host.Chart().Handle(), &corner);
    MovePointerTo(corner);
    EXPECT_EQ(host.Chart().SliceUnderPointer(), -1);
}

TEST(PieChart, ClearLeavesOnlyTheTitleAndTheFontColoursTheLabels) {
    ChartHost host;
    widgets::TPieChart& chart = host.Chart();
    AddSampleSlices(chart);
    EXPECT_EQ(Drawn(chart).Count(RGB(200, 0, 40)), 0);
    widgets::PieLabelFont font;
    font.name = "Arial";
    font.size = 12;
    font.color = RGB(200, 0, 40);
    chart.SetLabelFont(font);
    EXPECT_EQ(chart.LabelFont().size, 12);
    EXPECT_GT(Drawn(chart).Count(RGB(200, 0, 40)), 20) << "the labels are in the font's colour";

    chart.Clear();
    EXPECT_EQ(chart.SliceCount(), 0);
    const Pixels pixels = Drawn(chart);
    int coloured = 0;
    for (COLORREF c : pixels.colors)
        coloured += !(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c));
    EXPECT_EQ(coloured, 0) << "no slice, no label, only the grey title";
    EXPECT_GT(pixels.Count(RGB(0, 0, 0)), 0);
    EXPECT_EQ(chart.SliceAt(pixels.InsideOf(RGB(255, 255, 255))), -1);
}

TEST(PieChart, PrintsThePageAsLargeAsItFits) {
    ChartHost host;
    AddSampleSlices(host.Chart());
    const int chartNavy = Drawn(host.Chart()).Count(kNavy);
    EXPECT_FALSE(host.Chart().Print(nullptr, "Space usage"));

    // A metafile stands in for the printer, as the scripted print dialog gives one.
    HDC page = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    const int pageWidth = GetDeviceCaps(page, HORZRES), pageHeight = GetDeviceCaps(page, VERTRES);
    EXPECT_TRUE(host.Chart().Print(page, "Space usage"));
    HENHMETAFILE printed = CloseEnhMetaFile(page);
    ASSERT_NE(printed, nullptr);
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(printed, sizeof header, &header);
    const Pixels paper = Render(pageWidth, pageHeight, [&](HDC dc) {
        const RECT bounds{header.rclBounds.left, header.rclBounds.top, header.rclBounds.right + 1,
                          header.rclBounds.bottom + 1};
        PlayEnhMetaFile(dc, printed, &bounds);
    });
    DeleteEnhMetaFile(printed);
    const SIZE chart = host.Chart().ClientSize();
    const double scale = std::min((pageWidth * 0.9) / chart.cx, (pageHeight * 0.9) / chart.cy);
    EXPECT_NEAR(paper.Count(kNavy), chartNavy * scale * scale, chartNavy * scale * scale * 0.15);
    EXPECT_NEAR(header.rclBounds.right - header.rclBounds.left, chart.cx * scale, chart.cx * scale * 0.05 + 2);
}
