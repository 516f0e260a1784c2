#include "ruled/curve_box.h"

#include "ruled/affine.h"

#include <cmath>
#include <numbers>

namespace dxf2csv::ruled {
namespace {

constexpr double kFullTurn = 2 * std::numbers::pi;

/// The box of the arc from angle `start` (radians) sweeping `sweep` (0..2π) counter-clockwise:
/// its ends and the extreme points of the circle that it passes.
Box sweptBox(Point center, double radius, double start, double sweep) {
    Box box = boxAt({center.x + radius * std::cos(start), center.y + radius * std::sin(start)});
    grow(box, {center.x + radius * std::cos(start + sweep), center.y + radius * std::sin(start + sweep)});
    const Point extremes[] = {{radius, 0}, {0, radius}, {-radius, 0}, {0, -radius}};
    for (int k = 0; k < 4; ++k) {
        const double angle = k * std::numbers::pi / 2;
        double ahead = std::fmod(angle - start, kFullTurn);
        if (ahead < 0) ahead += kFullTurn;
        if (ahead <= sweep) grow(box, {center.x + extremes[k].x, center.y + extremes[k].y});
    }
    return box;
}

} // namespace

Box circleBox(Point center, double radius) {
    const double r = std::fabs(radius);
    return {{center.x - r, center.y - r}, {center.x + r, center.y + r}};
}

Box arcBox(Point center, double radius, double startDegrees, double endDegrees) {
    const double start = startDegrees * std::numbers::pi / 180;
    double sweep = std::fmod((endDegrees - startDegrees) * std::numbers::pi / 180, kFullTurn);
    if (sweep <= 0) sweep += kFullTurn;
    return sweptBox(center, std::fabs(radius), start, sweep);
}

Box bulgeBox(Point from, Point to, double bulge) {
    const Point chord = {to.x - from.x, to.y - from.y};
    const Point middle = {(from.x + to.x) / 2, (from.y + to.y) / 2};
    // The center lies on the chord's perpendicular, (1 - b²) / 4b chord lengths to its left.
    const double offset = (1 - bulge * bulge) / (4 * bulge);
    const Point center = {middle.x - chord.y * offset, middle.y + chord.x * offset};
    const double radius = std::hypot(from.x - center.x, from.y - center.y);
    const double sweep = 4 * std::atan(std::fabs(bulge));
    // Clockwise from `from` is counter-clockwise from `to`.
    const Point start = bulge > 0 ? from : to;
    Box box = sweptBox(center, radius, std::atan2(start.y - center.y, start.x - center.x), sweep);
    // The ends themselves, exactly as written.
    grow(box, from);
    grow(box, to);
    return box;
}

Box ellipseBox(Point center, Point major, double ratio) {
    const double halfWidth = std::hypot(major.x, ratio * major.y);
    const double halfHeight = std::hypot(major.y, ratio * major.x);
    return {{center.x - halfWidth, center.y - halfHeight}, {center.x + halfWidth, center.y + halfHeight}};
}

} // namespace dxf2csv::ruled
