// Boxes of arcs and bulged polyline segments, against points of the curve worked out another
// way.

#include "ruled/affine.h"
#include "ruled/curve_box.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace dxf2csv::ruled {
namespace {

/// The box of many points of the arc through `from`, the point `sagitta` off the chord's middle
/// (to the right of from -> to) and `to`, found from the circle through those three points.
Box sampledBulge(Point from, Point to, double bulge) {
    const double chord = std::hypot(to.x - from.x, to.y - from.y);
    const Point right = {(to.y - from.y) / chord, -(to.x - from.x) / chord};
    const double sagitta = bulge * chord / 2;
    const Point mid = {(from.x + to.x) / 2 + right.x * sagitta, (from.y + to.y) / 2 + right.y * sagitta};
    // The circle through three points.
    const double ax = from.x, ay = from.y, bx = mid.x, by = mid.y, cx = to.x, cy = to.y;
    const double d = 2 * (ax * (by - cy) + bx * (cy - ay) + cx * (ay - by));
    const double ux = ((ax * ax + ay * ay) * (by - cy) + (bx * bx + by * by) * (cy - ay) + (cx * cx + cy * cy) * (ay - by)) / d;
    const double uy = ((ax * ax + ay * ay) * (cx - bx) + (bx * bx + by * by) * (ax - cx) + (cx * cx + cy * cy) * (bx - ax)) / d;
    const double r = std::hypot(ax - ux, ay - uy);
    const double a0 = std::atan2(ay - uy, ax - ux);
    const double am = std::atan2(by - uy, bx - ux);
    const double a1 = std::atan2(cy - uy, cx - ux);
    // Walk from a0 to a1 the way that passes am.
    auto ccw = [](double from, double to) {
        double d = std::fmod(to - from, 2 * std::numbers::pi);
        return d < 0 ? d + 2 * std::numbers::pi : d;
    };
    const bool counterClockwise = ccw(a0, am) <= ccw(a0, a1);
    const double sweep = counterClockwise ? ccw(a0, a1) : -ccw(a1, a0);
    Box box = boxAt(from);
    constexpr int kSteps = 20000;
    for (int i = 0; i <= kSteps; ++i) {
        const double a = a0 + sweep * i / kSteps;
        grow(box, {ux + r * std::cos(a), uy + r * std::sin(a)});
    }
    return box;
}

TEST(CurveBox, BulgedSegmentBoxHoldsTheArcAndNoMore) {
    struct Case {
        const char* name;
        Point from, to;
        double bulge;
    };
    const Case cases[] = {
        {"half circle counter-clockwise", {0, 0}, {10, 0}, 1},
        {"half circle clockwise", {0, 0}, {10, 0}, -1},
        {"shallow", {0, 0}, {10, 0}, 0.05},
        {"shallow the other way", {3, 4}, {-7, 9}, -0.05},
        {"more than a half circle", {0, 0}, {0, 10}, 2.5},
        {"quarter circle", {10, 0}, {0, 10}, std::tan(std::numbers::pi / 8)},
        {"slanted, large", {-5, 2}, {7, -11}, -3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Box box = bulgeBox(c.from, c.to, c.bulge);
        const Box sampled = sampledBulge(c.from, c.to, c.bulge);
        // The sampled box lies inside, and misses the true one by less than a sampling step.
        const double slack = 1e-3;
        EXPECT_NEAR(box.min.x, sampled.min.x, slack);
        EXPECT_NEAR(box.min.y, sampled.min.y, slack);
        EXPECT_NEAR(box.max.x, sampled.max.x, slack);
        EXPECT_NEAR(box.max.y, sampled.max.y, slack);
        EXPECT_LE(box.min.x, sampled.min.x + 1e-9);
        EXPECT_LE(box.min.y, sampled.min.y + 1e-9);
        EXPECT_GE(box.max.x, sampled.max.x - 1e-9);
        EXPECT_GE(box.max.y, sampled.max.y - 1e-9);
    }
}

TEST(CurveBox, ArcBoxTakesTheExtremesItPasses) {
    struct Case {
        const char* name;
        double start, end;
        Box expected;
    };
    const double s10 = std::sin(10 * std::numbers::pi / 180);
    const double c10 = std::cos(10 * std::numbers::pi / 180);
    const Case cases[] = {
        {"first quarter", 0, 90, {{0, 0}, {1, 1}}},
        {"across zero degrees", 350, 10, {{c10, -s10}, {1, s10}}},
        {"three quarters", 90, 0, {{-1, -1}, {1, 1}}},
        {"equal angles are the whole circle", 30, 30, {{-1, -1}, {1, 1}}},
        {"negative angles", -90, 0, {{0, -1}, {1, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Box box = arcBox({0, 0}, 1, c.start, c.end);
        EXPECT_NEAR(box.min.x, c.expected.min.x, 1e-12);
        EXPECT_NEAR(box.min.y, c.expected.min.y, 1e-12);
        EXPECT_NEAR(box.max.x, c.expected.max.x, 1e-12);
        EXPECT_NEAR(box.max.y, c.expected.max.y, 1e-12);
    }
}

} // namespace
} // namespace dxf2csv::ruled
