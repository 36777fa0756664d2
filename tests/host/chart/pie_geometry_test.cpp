#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "usage/pie_geometry.h"

using namespace usage;

namespace {

constexpr double kPi = std::numbers::pi;

PieFrame FrameOf(double radius, bool orthogonal = false) {
    PieView view;
    view.orthogonal = orthogonal;
    return FitPie({0, 0, 2000, 2000}, radius, {0, 0}, 0, view);
}

double Area(const std::vector<PiePoint>& polygon) {
    double twice = 0;
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++)
        twice += polygon[j].x * polygon[i].y - polygon[i].x * polygon[j].y;
    return std::abs(twice) / 2;
}

}  // namespace

TEST(PieGeometry, FractionsIgnoreWhatCannotBeASlice) {
    EXPECT_EQ(SliceFractions({1, 3}), (std::vector<double>{0.25, 0.75}));
    EXPECT_EQ(SliceFractions({0, -5, 2, NAN, INFINITY}), (std::vector<double>{0, 0, 1, 0, 0}));
    EXPECT_EQ(SliceFractions({0, 0}), (std::vector<double>{0, 0}));
    EXPECT_TRUE(SliceFractions({}).empty());
}

TEST(PieGeometry, SeenFromAboveAtFortyFiveDegreesWithTheNearSideLarger) {
    const PieFrame flat = FrameOf(100, true);
    const PiePoint c = flat.center;
    const PiePoint back = ProjectPiePoint(flat, kPi / 2, 1, 0);
    const PiePoint front = ProjectPiePoint(flat, -kPi / 2, 1, 0);
    const PiePoint right = ProjectPiePoint(flat, 0, 1, 0);
    EXPECT_NEAR(c.y - back.y, 100 * std::sqrt(0.5), 1e-9);
    EXPECT_NEAR(front.y - c.y, 100 * std::sqrt(0.5), 1e-9);
    EXPECT_NEAR(right.x - c.x, 100, 1e-9);
    // The bottom lies straight below the top, by the thickness seen at 45 degrees.
    const PiePoint below = ProjectPiePoint(flat, -kPi / 2, 1, -flat.depth);
    EXPECT_NEAR(below.x, front.x, 1e-9);
    EXPECT_NEAR(below.y - front.y, flat.depth * std::sqrt(0.5), 1e-9);
    EXPECT_NEAR(flat.depth, 0.44 * 100, 1e-9);

    const PieFrame deep = FrameOf(100);
    const PiePoint nearEdge = ProjectPiePoint(deep, -kPi / 2, 1, 0);
    const PiePoint farEdge = ProjectPiePoint(deep, kPi / 2, 1, 0);
    EXPECT_GT(nearEdge.y - deep.center.y, deep.center.y - farEdge.y);
    // A chord at the front is wider on screen than the same chord at the back.
    const double nearWidth = ProjectPiePoint(deep, -kPi / 3, 1, 0).x - ProjectPiePoint(deep, -2 * kPi / 3, 1, 0).x;
    const double farWidth = ProjectPiePoint(deep, kPi / 3, 1, 0).x - ProjectPiePoint(deep, 2 * kPi / 3, 1, 0).x;
    EXPECT_GT(nearWidth, farWidth * 1.05);
    EXPECT_NEAR(ProjectPiePoint(deep, 0, 1, 0).x - deep.center.x, deep.center.x - ProjectPiePoint(deep, kPi, 1, 0).x,
                1e-9);
}

TEST(PieGeometry, SlicesFollowEachOtherRoundTheWholeTurn) {
    const PieShapes shapes = ShapePie({1, 0, 2, 1}, FrameOf(100));
    ASSERT_EQ(shapes.slices.size(), 3u);  // the empty one gets no shape
    EXPECT_EQ(shapes.slices[0].index, 0);
    EXPECT_EQ(shapes.slices[1].index, 2);
    EXPECT_EQ(shapes.slices[2].index, 3);
    EXPECT_NEAR(shapes.slices[0].startAngle, 0, 1e-12);  // rotation 360 is a whole turn
    EXPECT_NEAR(shapes.slices[1].startAngle, kPi / 2, 1e-12);
    EXPECT_NEAR(shapes.slices[1].sweep, kPi, 1e-12);
    EXPECT_NEAR(shapes.slices[2].startAngle + shapes.slices[2].sweep, 2 * kPi, 1e-12);
    EXPECT_NEAR(shapes.slices[1].middleAngle, kPi, 1e-12);

    // The top faces cover the ellipse of the top without gaps or overlaps.
    double total = 0;
    for (const SliceShape& slice : shapes.slices)
        total += Area(slice.top);
    const PieShapes whole = ShapePie({5}, FrameOf(100));
    ASSERT_EQ(whole.slices.size(), 1u);
    EXPECT_NEAR(total, Area(whole.slices[0].top), Area(whole.slices[0].top) * 1e-9);
    EXPECT_NEAR(Area(whole.slices[0].top), kPi * 100 * 100 * std::sqrt(0.5), 100 * 100 * 0.05);
    EXPECT_TRUE(ShapePie({0, 0}, FrameOf(100)).slices.empty());
}

TEST(PieGeometry, OnlyTheNearSideShowsAndItIsLitFromTheLeft) {
    // Four quarters: 0-90 and 90-180 lie at the back, 180-270 and 270-360 at the front.
    const PieShapes shapes = ShapePie({1, 1, 1, 1}, FrameOf(100));
    ASSERT_EQ(shapes.slices.size(), 4u);
    EXPECT_TRUE(shapes.slices[0].wall.empty());
    EXPECT_TRUE(shapes.slices[1].wall.empty());
    ASSERT_FALSE(shapes.slices[2].wall.empty());
    ASSERT_FALSE(shapes.slices[3].wall.empty());
    for (int s : {2, 3}) {
        for (const WallPiece& piece : shapes.slices[s].wall) {
            const double middle = (piece.corners[0].y + piece.corners[1].y) / 2;
            EXPECT_GT(middle, shapes.frame.center.y);  // below the axis: the near half
            EXPECT_GT(piece.corners[3].y, piece.corners[0].y);
        }
    }
    EXPECT_GT(shapes.slices[2].wall.front().light, shapes.slices[3].wall.back().light);
    // Each visible run of side is outlined: its bottom arc and its two upright edges.
    EXPECT_EQ(shapes.slices[2].wallLines.size(), 3u);
}

TEST(PieGeometry, HitTestFindsTheSliceOnTopAndOnTheSide) {
    const std::vector<double> values = {3, 0, 1, 2, 2};
    const PieShapes shapes = ShapePie(values, FrameOf(100));
    for (const SliceShape& slice : shapes.slices) {
        const PiePoint inside = ProjectPiePoint(shapes.frame, slice.middleAngle, 0.6, 0);
        EXPECT_EQ(SliceAt(shapes, inside), slice.index);
    }
    // The front side at 270 degrees belongs to the slice that spans it (the last, 270 to 360... 5/8 to 1).
    const PiePoint side = ProjectPiePoint(shapes.frame, 1.6 * kPi, 1, -shapes.frame.depth / 2);
    EXPECT_EQ(SliceAt(shapes, side), 4);
    const PiePoint sideLeft = ProjectPiePoint(shapes.frame, 1.1 * kPi, 1, -shapes.frame.depth / 2);
    EXPECT_EQ(SliceAt(shapes, sideLeft), 3);
    // Beyond the rim, below the side and far away: nothing.
    EXPECT_EQ(SliceAt(shapes, ProjectPiePoint(shapes.frame, kPi / 4, 1.05, 0)), -1);
    EXPECT_EQ(SliceAt(shapes, ProjectPiePoint(shapes.frame, 1.5 * kPi, 1, -shapes.frame.depth * 1.2)), -1);
    EXPECT_EQ(SliceAt(shapes, {-10, -10}), -1);
    EXPECT_EQ(SliceAt(ShapePie({}, FrameOf(100)), shapes.frame.center), -1);
}

TEST(PieGeometry, FitsTheAreaWithRoomForLabelsAndKeepsItsRadius) {
    const PieRect area{10, 40, 410, 340};
    const PieSize label{60, 14};
    const PieFrame fitted = FitPie(area, 0, label, 6, PieView{});
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (int degree = 0; degree < 360; ++degree) {
        for (double height : {0.0, -fitted.depth}) {
            const PiePoint p = ProjectPiePoint(fitted, degree * kPi / 180, 1, height);
            minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
        }
    }
    EXPECT_GE(minX, area.left + 66 - 0.5);
    EXPECT_LE(maxX, area.right - 66 + 0.5);
    EXPECT_GE(minY, area.top + 20 - 0.5);
    EXPECT_LE(maxY, area.bottom - 20 + 0.5);
    // It fills the tighter direction.
    EXPECT_TRUE(std::abs(maxY - minY - (area.Height() - 40)) < 1 || std::abs(maxX - minX - (area.Width() - 132)) < 1);
    const PieFrame tall = FitPie({0, 0, 300, 1000}, 0, {0, 0}, 0, PieView{});
    EXPECT_NEAR(ProjectPiePoint(tall, 0, 1, 0).x - ProjectPiePoint(tall, kPi, 1, 0).x, 300, 30);
    EXPECT_NEAR((minX + maxX) / 2, (area.left + area.right) / 2, 1e-6);

    const PieFrame limited = FitPie(area, 90, label, 6, PieView{});
    EXPECT_DOUBLE_EQ(limited.radius, 90);
    // A label wider than the area leaves the pie a third of the room, not nothing.
    EXPECT_GT(FitPie(area, 0, {500, 14}, 6, PieView{}).radius, 30);
}

TEST(PieGeometry, RoomIsKeptOnlyOnTheSidesWhereLabelsGo) {
    // Slices whose middles lie up right, left and down right.
    const PieMargins sides = LabelMargins({25, 50, 25}, {{40, 14}, {90, 14}, {60, 12}}, 6, PieView{});
    EXPECT_DOUBLE_EQ(sides.left, 96);
    EXPECT_DOUBLE_EQ(sides.right, 66);
    EXPECT_DOUBLE_EQ(sides.top, 20);
    EXPECT_DOUBLE_EQ(sides.bottom, 18);

    // A nearly empty drive: the free space takes almost all, labelled on the left; the rest has no label.
    const PieRect area{0, 30, 325, 360};
    const std::vector<double> values{99, 0.6, 0.4};
    const std::vector<PieSize> sizes{{125, 14}, {0, 14}, {0, 14}};
    const PieMargins margins = LabelMargins(values, sizes, 6, PieView{});
    EXPECT_DOUBLE_EQ(margins.right, 0);
    const PieFrame fitted = FitPie(area, 0, margins, PieView{});
    EXPECT_GT(fitted.radius, 1.5 * FitPie(area, 0, sizes[0], 6, PieView{}).radius);
    const PieShapes shapes = ShapePie(values, fitted);
    const std::vector<PieRect> boxes = PlaceLabels(shapes, sizes, 6, area);
    double pieLeft = 1e9, pieRight = -1e9;
    for (int degree = 0; degree < 360; ++degree) {
        for (double height : {0.0, -fitted.depth}) {
            pieLeft = std::min(pieLeft, ProjectPiePoint(fitted, degree * kPi / 180, 1, height).x);
            pieRight = std::max(pieRight, ProjectPiePoint(fitted, degree * kPi / 180, 1, height).x);
        }
    }
    EXPECT_GE(boxes[0].left, area.left);
    EXPECT_LE(boxes[0].right, pieLeft) << "the label lies on the pie";
    EXPECT_LE(pieRight, area.right + 0.5);
}

TEST(PieGeometry, LabelsSitOutsideThePieInsideTheChartAndApart) {
    const PieRect bounds{0, 0, 500, 400};
    PieView view;
    const PieFrame frame = FitPie(bounds, 0, {70, 14}, 6, view);
    // Eight slices of 6 to 7 percent, then one large and one without a label.
    std::vector<double> values(8, 6.5);
    values.push_back(40);
    values.push_back(8);
    const PieShapes shapes = ShapePie(values, frame);
    std::vector<PieSize> sizes(values.size(), PieSize{70, 14});
    sizes[9] = {0, 14};
    const std::vector<PieRect> boxes = PlaceLabels(shapes, sizes, 6, bounds);
    ASSERT_EQ(boxes.size(), values.size());
    EXPECT_EQ(boxes[9].Width(), 0);
    for (size_t i = 0; i < 9; ++i) {
        EXPECT_GE(boxes[i].left, bounds.left);
        EXPECT_LE(boxes[i].right, bounds.right);
        EXPECT_GE(boxes[i].top, bounds.top);
        EXPECT_LE(boxes[i].bottom, bounds.bottom);
        EXPECT_EQ(boxes[i].Width(), 70);
        for (size_t j = 0; j < i; ++j)
            EXPECT_FALSE(boxes[i].Intersects(boxes[j])) << i << " and " << j;
        // No label covers its own slice's middle.
        const SliceShape& slice = shapes.slices[i];
        EXPECT_FALSE(boxes[i].Contains(ProjectPiePoint(frame, slice.middleAngle, 0.8, 0)));
    }
    // The first slice starts at three o'clock: its label is right of the pie and begins there.
    EXPECT_GT(boxes[0].left, ProjectPiePoint(frame, shapes.slices[0].middleAngle, 1, 0).x);
    EXPECT_GT(boxes[0].left, frame.center.x + frame.radius * 0.9);
    // The large slice spans the front; its label goes below the side.
    const double bottomOfSide = ProjectPiePoint(frame, shapes.slices[8].middleAngle, 1, -frame.depth).y;
    EXPECT_GE(boxes[8].top, bottomOfSide);
}
