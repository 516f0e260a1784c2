#include "ruled/affine.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dxf2csv::ruled {
namespace {

/// The arbitrary axis rule's bound: an extrusion whose X and Y are both below it takes its X
/// axis from the world's Y axis, any other from the world's Z axis.
constexpr double kArbitraryAxisBound = 1.0 / 64.0;

} // namespace

Affine Affine::after(const Affine& inner) const {
    return {xx * inner.xx + xy * inner.yx, xx * inner.xy + xy * inner.yy,
            yx * inner.xx + yy * inner.yx, yx * inner.xy + yy * inner.yy,
            xx * inner.tx + xy * inner.ty + tx, yx * inner.tx + yy * inner.ty + ty};
}

double Affine::magnitude() const {
    return std::max({std::fabs(xx), std::fabs(xy), std::fabs(yx), std::fabs(yy), std::fabs(tx), std::fabs(ty)});
}

Point directionOf(double degrees) {
    const double quarters = degrees / 90.0;
    if (quarters == std::floor(quarters) && std::fabs(quarters) < 1e15) {
        switch (static_cast<long long>(std::fmod(quarters, 4.0) + 4.0) % 4) {
        case 0: return {1, 0};
        case 1: return {0, 1};
        case 2: return {-1, 0};
        default: return {0, -1};
        }
    }
    const double radians = degrees * std::numbers::pi / 180.0;
    return {std::cos(radians), std::sin(radians)};
}

Affine Affine::turnAndScale(double degrees, double sx, double sy) {
    const Point d = directionOf(degrees);
    return {d.x * sx, -d.y * sy, d.y * sx, d.x * sy, 0, 0};
}

Affine entityPlane(const Extrusion& e) {
    const double length = std::sqrt(e.x * e.x + e.y * e.y + e.z * e.z);
    if (length == 0) return {};
    const double nx = e.x / length, ny = e.y / length, nz = e.z / length;
    // The entity's X axis: the world's Y (or Z) axis crossed with the extrusion.
    double ax = 0, ay = 0, az = 0;
    if (std::fabs(nx) < kArbitraryAxisBound && std::fabs(ny) < kArbitraryAxisBound) {
        ax = nz;
        az = -nx;
    } else {
        ax = -ny;
        ay = nx;
    }
    const double axLength = std::sqrt(ax * ax + ay * ay + az * az);
    ax /= axLength;
    ay /= axLength;
    az /= axLength;
    // Its Y axis: the extrusion crossed with its X axis.
    const double bx = ny * az - nz * ay;
    const double by = nz * ax - nx * az;
    return {ax, bx, ay, by, 0, 0};
}

Box mapBox(const Affine& map, const Box& box) {
    Box out = boxAt(map.apply(box.min));
    grow(out, map.apply(box.max));
    grow(out, map.apply({box.min.x, box.max.y}));
    grow(out, map.apply({box.max.x, box.min.y}));
    return out;
}

} // namespace dxf2csv::ruled
