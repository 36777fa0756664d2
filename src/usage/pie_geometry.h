#pragma once

#include <array>
#include <vector>

namespace usage {

struct PiePoint {
    double x = 0;
    double y = 0;
};

struct PieSize {
    double width = 0;
    double height = 0;
};

// Screen coordinates: y grows downwards.
struct PieRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
    bool Contains(PiePoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool Intersects(const PieRect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

// How the pie is seen, in the chart's own terms: elevation 270 looks straight down, 360 from the side;
// rotation turns the pie about its axis; depth is the pie's thickness in percent of the chart.
struct PieView {
    double elevation = 315;
    double rotation = 360;
    double depthPercent = 11;
    bool orthogonal = false;
};

// Where the pie lies on the screen: the centre of its top face, its radius and thickness in screen units,
// the angle it is seen from above its plane and how far away the eye is (0: no perspective).
struct PieFrame {
    PiePoint center;
    double radius = 0;
    double depth = 0;
    double tilt = 0;            // radians
    double viewerDistance = 0;  // in radii
    double rotation = 0;        // radians
};

// Projects a point of the pie (angle counter-clockwise from the right, distance from the axis, height with
// 0 at the top face and -depth at the bottom) onto the screen.
PiePoint ProjectPiePoint(const PieFrame& frame, double angle, double distance, double height);

// Room kept free on each side of the pie, for the labels placed there.
struct PieMargins {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// The room the labels of the given sizes need on each side, from where their slices lie: a label beside
// the pie needs its width on that side, one above or below it its height.
PieMargins LabelMargins(const std::vector<double>& values,
                        const std::vector<PieSize>& sizes,
                        double labelGap,
                        const PieView& view);

// The largest pie, at most maxRadius (0: no limit), that fits the area with the margins kept free,
// centred in the room the margins leave.
PieFrame FitPie(const PieRect& area, double maxRadius, const PieMargins& margins, const PieView& view);

// The same with room for labels of the given size all around it.
PieFrame FitPie(const PieRect& area, double maxRadius, PieSize largestLabel, double labelGap, const PieView& view);

// A piece of a slice's rounded side that faces the eye, with the share of light it gets (0 to 1).
struct WallPiece {
    std::array<PiePoint, 4> corners;
    double light = 1;
};

struct SliceShape {
    int index = 0;          // the slice's place among the values
    double startAngle = 0;  // radians, counter-clockwise, the pie's rotation included
    double sweep = 0;
    std::vector<PiePoint> top;                     // the top face, a closed polygon
    std::vector<WallPiece> wall;                   // visible side pieces
    std::vector<std::vector<PiePoint>> wallLines;  // outline of the visible side
    double middleAngle = 0;
};

// Slices of zero or negative value (or all, when the total is 0) get no shape.
struct PieShapes {
    PieFrame frame;
    std::vector<SliceShape> slices;
};

// Every slice's share of the total, in order; all 0 when the total is not positive.
std::vector<double> SliceFractions(const std::vector<double>& values);

PieShapes ShapePie(const std::vector<double>& values, const PieFrame& frame);

// The index of the value whose slice is under the point, or -1.
int SliceAt(const PieShapes& shapes, PiePoint point);

// Places each label beside its slice, inside bounds, with no two overlapping where there is room for that.
// A label of width 0 is not placed (its rectangle is empty). One rectangle per value.
std::vector<PieRect> PlaceLabels(const PieShapes& shapes,
                                 const std::vector<PieSize>& sizes,
                                 double labelGap,
                                 const PieRect& bounds);

bool PointInPolygon(const std::vector<PiePoint>& polygon, PiePoint point);

}  // namespace usage
