#pragma once
// Points against rectangles, answered together by one sweep, so that no point is tried
// against every rectangle around it.

#include "ruled/sheet.h"

#include <cstdint>
#include <span>
#include <vector>

namespace dxf2csv::ruled {

struct Rect {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0; ///< x0 <= x1, y0 <= y1
};

/// For each rectangle, whether some point lies strictly inside it. Rectangles may overlap.
std::vector<std::uint8_t> holdsAnyPoint(std::span<const Rect> rects, std::span<const Point> points);
/// The same for the points of two sets, neither copied (one is often most of a drawing).
std::vector<std::uint8_t> holdsAnyPoint(std::span<const Rect> rects, std::span<const Point> points,
                                        std::span<const Point> morePoints);

/// For each point, the rectangle that holds it, or -1. Rectangles must not overlap; a point on
/// the edge shared by two of them goes to the one on its right, or above. A rectangle holds
/// its left and bottom edges, not its right and top ones.
std::vector<std::int32_t> locatePoints(std::span<const Rect> rects, std::span<const Point> points);

} // namespace dxf2csv::ruled
