#include "usage/pie_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace usage {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kFullTurn = 2 * kPi;
constexpr double kStep = kPi / 90;  // arcs are drawn in steps of at most 2 degrees
constexpr double kViewerDistance = 8;
// The thickness is the depth share of twice the pie's width, about the width of a chart with its labels.
constexpr double kDepthBase = 4;

double Radians(double degrees) {
    return degrees * kPi / 180;
}

// Seen from above its plane: elevation 315 is 45 degrees, 270 straight down.
double TiltOf(double elevation) {
    double degrees = 360 - std::fmod(std::fmod(elevation, 360) + 360, 360);
    if (degrees >= 360)
        degrees = 0;
    return Radians(std::clamp(degrees, 5.0, 90.0));
}

// Light from the front left and above, so the side darkens towards the right.
double LightOf(double angle) {
    constexpr double lx = -0.45, ly = -0.75, lz = 0.5;
    const double length = std::sqrt(lx * lx + ly * ly + lz * lz);
    const double facing = (std::cos(angle) * lx + std::sin(angle) * ly) / length;
    return 0.45 + 0.5 * std::max(0.0, facing);
}

bool WallFacesViewer(const PieFrame& frame, double angle) {
    const double cosTilt = std::cos(frame.tilt);
    if (cosTilt < 1e-9)
        return false;
    if (frame.viewerDistance <= 0)
        return std::sin(angle) < 0;
    return std::sin(angle) < -1 / (frame.viewerDistance * cosTilt);
}

int StepsOf(double sweep) {
    return std::max(1, static_cast<int>(std::ceil(sweep / kStep)));
}

std::vector<PiePoint> TopFace(const PieFrame& frame, double start, double sweep) {
    const bool whole = sweep >= kFullTurn - 1e-9;
    const int steps = StepsOf(sweep);
    std::vector<PiePoint> polygon;
    if (!whole)
        polygon.push_back(frame.center);
    for (int i = 0; i <= steps - (whole ? 1 : 0); ++i)
        polygon.push_back(ProjectPiePoint(frame, start + sweep * i / steps, 1, 0));
    return polygon;
}

void AddWall(const PieFrame& frame, SliceShape& slice) {
    const int steps = StepsOf(slice.sweep);
    std::vector<PiePoint> bottomRun;
    auto closeRun = [&](double endAngle) {
        if (bottomRun.empty())
            return;
        slice.wallLines.push_back(bottomRun);
        slice.wallLines.push_back(
            {ProjectPiePoint(frame, endAngle, 1, 0), ProjectPiePoint(frame, endAngle, 1, -frame.depth)});
        bottomRun.clear();
    };
    for (int i = 0; i < steps; ++i) {
        const double a0 = slice.startAngle + slice.sweep * i / steps;
        const double a1 = slice.startAngle + slice.sweep * (i + 1) / steps;
        const double middle = (a0 + a1) / 2;
        if (!WallFacesViewer(frame, middle)) {
            closeRun(a0);
            continue;
        }
        const PiePoint top0 = ProjectPiePoint(frame, a0, 1, 0);
        const PiePoint bottom0 = ProjectPiePoint(frame, a0, 1, -frame.depth);
        const PiePoint top1 = ProjectPiePoint(frame, a1, 1, 0);
        const PiePoint bottom1 = ProjectPiePoint(frame, a1, 1, -frame.depth);
        if (bottomRun.empty()) {
            slice.wallLines.push_back({top0, bottom0});
            bottomRun.push_back(bottom0);
        }
        bottomRun.push_back(bottom1);
        slice.wall.push_back({{top0, top1, bottom1, bottom0}, LightOf(middle)});
    }
    closeRun(slice.startAngle + slice.sweep);
}

PiePoint LabelAnchor(const PieFrame& frame, double angle, double gap) {
    // A label of the front half sits below the side, one of the back half beside the top face.
    const double height = WallFacesViewer(frame, angle) ? -frame.depth : 0;
    const PiePoint edge = ProjectPiePoint(frame, angle, 1, height);
    const PiePoint axis = ProjectPiePoint(frame, angle, 0, height);
    const double dx = edge.x - axis.x, dy = edge.y - axis.y;
    const double length = std::hypot(dx, dy);
    if (length < 1e-9)
        return edge;
    return {edge.x + dx / length * gap, edge.y + dy / length * gap};
}

PieRect BoxAt(PiePoint anchor, double angle, PieSize size) {
    const double c = std::cos(angle), s = std::sin(angle);
    double left = anchor.x - size.width / 2;
    if (c > 0.25)
        left = anchor.x;
    else if (c < -0.25)
        left = anchor.x - size.width;
    double top = anchor.y - size.height / 2;
    if (s > 0.25)
        top = anchor.y - size.height;
    else if (s < -0.25)
        top = anchor.y;
    return {left, top, left + size.width, top + size.height};
}

void MoveVertically(PieRect& box, double dy) {
    box.top += dy;
    box.bottom += dy;
}

// Pushes the box away from the pie's middle past every placed box it meets.
void Separate(PieRect& box, bool upwards, const std::vector<const PieRect*>& placed) {
    for (bool moved = true; moved;) {
        moved = false;
        for (const PieRect* other : placed) {
            if (!box.Intersects(*other))
                continue;
            MoveVertically(box, upwards ? other->top - box.bottom : other->bottom - box.top);
            moved = true;
        }
    }
}

void KeepInside(PieRect& box, const PieRect& bounds) {
    const double dx = std::max(bounds.left - box.left, std::min(0.0, bounds.right - box.right));
    const double dy = std::max(bounds.top - box.top, std::min(0.0, bounds.bottom - box.bottom));
    box = {box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
}

}  // namespace

PiePoint ProjectPiePoint(const PieFrame& frame, double angle, double distance, double height) {
    const double x = frame.radius * distance * std::cos(angle);
    const double y = frame.radius * distance * std::sin(angle);
    const double up = y * std::sin(frame.tilt) + height * std::cos(frame.tilt);
    const double away = y * std::cos(frame.tilt) - height * std::sin(frame.tilt);
    double scale = 1;
    if (frame.viewerDistance > 0) {
        const double eye = frame.viewerDistance * frame.radius;
        scale = eye / (eye + away);
    }
    return {frame.center.x + x * scale, frame.center.y - up * scale};
}

PieMargins LabelMargins(const std::vector<double>& values,
                        const std::vector<PieSize>& sizes,
                        double labelGap,
                        const PieView& view) {
    PieMargins margins;
    double angle = Radians(std::fmod(view.rotation, 360));
    const std::vector<double> fractions = SliceFractions(values);
    for (size_t i = 0; i < fractions.size(); ++i) {
        const double middle = angle + fractions[i] * kPi;
        angle += fractions[i] * kFullTurn;
        if (fractions[i] <= 0 || i >= sizes.size() || sizes[i].width <= 0)
            continue;
        // The same sides as the labels' placement beside their slices.
        const double c = std::cos(middle), s = std::sin(middle);
        const double width = sizes[i].width + labelGap, height = sizes[i].height + labelGap;
        if (c > 0.25)
            margins.right = std::max(margins.right, width);
        else if (c < -0.25)
            margins.left = std::max(margins.left, width);
        if (s > 0.25)
            margins.top = std::max(margins.top, height);
        else if (s < -0.25)
            margins.bottom = std::max(margins.bottom, height);
    }
    return margins;
}

PieFrame FitPie(const PieRect& area, double maxRadius, const PieMargins& margins, const PieView& view) {
    PieFrame unit;
    unit.radius = 1;
    unit.depth = view.depthPercent / 100 * kDepthBase;
    unit.tilt = TiltOf(view.elevation);
    unit.viewerDistance = view.orthogonal ? 0 : kViewerDistance;
    unit.rotation = Radians(std::fmod(view.rotation, 360));

    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (int degree = 0; degree < 360; ++degree) {
        for (double height : {0.0, -unit.depth}) {
            const PiePoint p = ProjectPiePoint(unit, Radians(degree), 1, height);
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    const PieRect room{area.left + margins.left, area.top + margins.top, area.right - margins.right,
                       area.bottom - margins.bottom};
    double radius = std::min(room.Width() / (maxX - minX), room.Height() / (maxY - minY));
    // Labels may have to squeeze, but the pie never vanishes while the area has room for it.
    radius = std::max(radius, std::min(area.Width() / (maxX - minX), area.Height() / (maxY - minY)) / 3);
    if (maxRadius > 0)
        radius = std::min(radius, maxRadius);
    radius = std::max(radius, 0.0);

    PieFrame frame = unit;
    frame.radius = radius;
    frame.depth = unit.depth * radius;
    // Centred in the room, but never pushed out of the area when the room is too small for it.
    auto centre = [radius](double low, double high, double roomLow, double roomHigh, double unitLow, double unitHigh) {
        const double wanted = (roomLow + roomHigh) / 2 - radius * (unitLow + unitHigh) / 2;
        const double least = low - radius * unitLow, most = high - radius * unitHigh;
        return least <= most ? std::clamp(wanted, least, most) : (least + most) / 2;
    };
    frame.center = {centre(area.left, area.right, room.left, room.right, minX, maxX),
                    centre(area.top, area.bottom, room.top, room.bottom, minY, maxY)};
    return frame;
}

PieFrame FitPie(const PieRect& area, double maxRadius, PieSize largestLabel, double labelGap, const PieView& view) {
    const double width = largestLabel.width + labelGap, height = largestLabel.height + labelGap;
    return FitPie(area, maxRadius, PieMargins{width, height, width, height}, view);
}

std::vector<double> SliceFractions(const std::vector<double>& values) {
    double total = 0;
    for (double value : values)
        total += std::isfinite(value) && value > 0 ? value : 0;
    std::vector<double> fractions;
    fractions.reserve(values.size());
    for (double value : values)
        fractions.push_back(total > 0 && std::isfinite(value) && value > 0 ? value / total : 0);
    return fractions;
}

PieShapes ShapePie(const std::vector<double>& values, const PieFrame& frame) {
    PieShapes shapes{frame, {}};
    double angle = frame.rotation;
    const std::vector<double> fractions = SliceFractions(values);
    for (size_t i = 0; i < fractions.size(); ++i) {
        if (fractions[i] <= 0)
            continue;
        SliceShape slice;
        slice.index = static_cast<int>(i);
        slice.startAngle = angle;
        slice.sweep = fractions[i] * kFullTurn;
        slice.middleAngle = angle + slice.sweep / 2;
        slice.top = TopFace(frame, slice.startAngle, slice.sweep);
        AddWall(frame, slice);
        shapes.slices.push_back(std::move(slice));
        angle += fractions[i] * kFullTurn;
    }
    return shapes;
}

bool PointInPolygon(const std::vector<PiePoint>& polygon, PiePoint point) {
    bool inside = false;
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const PiePoint& a = polygon[i];
        const PiePoint& b = polygon[j];
        if ((a.y > point.y) != (b.y > point.y) && point.x < (b.x - a.x) * (point.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

int SliceAt(const PieShapes& shapes, PiePoint point) {
    for (const SliceShape& slice : shapes.slices) {
        if (PointInPolygon(slice.top, point))
            return slice.index;
        for (const WallPiece& piece : slice.wall) {
            if (PointInPolygon({piece.corners.begin(), piece.corners.end()}, point))
                return slice.index;
        }
    }
    return -1;
}

std::vector<PieRect> PlaceLabels(const PieShapes& shapes,
                                 const std::vector<PieSize>& sizes,
                                 double labelGap,
                                 const PieRect& bounds) {
    std::vector<PieRect> boxes(sizes.size());
    std::vector<const SliceShape*> labelled;
    for (const SliceShape& slice : shapes.slices) {
        const size_t i = static_cast<size_t>(slice.index);
        if (i >= sizes.size() || sizes[i].width <= 0)
            continue;
        boxes[i] = BoxAt(LabelAnchor(shapes.frame, slice.middleAngle, labelGap), slice.middleAngle, sizes[i]);
        labelled.push_back(&slice);
    }
    // From the pie's waist outwards: upper labels give way upwards, lower ones downwards.
    const double waist = shapes.frame.center.y;
    auto distance = [&](const SliceShape* s) {
        const PieRect& box = boxes[static_cast<size_t>(s->index)];
        return std::abs((box.top + box.bottom) / 2 - waist);
    };
    std::stable_sort(labelled.begin(), labelled.end(),
                     [&](const SliceShape* a, const SliceShape* b) { return distance(a) < distance(b); });
    std::vector<const PieRect*> placed;
    for (const SliceShape* slice : labelled) {
        PieRect& box = boxes[static_cast<size_t>(slice->index)];
        Separate(box, (box.top + box.bottom) / 2 < waist, placed);
        KeepInside(box, bounds);
        placed.push_back(&box);
    }
    return boxes;
}

}  // namespace usage
