#pragma once
// The maps that put drawn things on the sheet: a block's placement by an INSERT, and an
// entity's own coordinate system (its extrusion direction) seen from above.

#include "ruled/sheet.h"

namespace dxf2csv::ruled {

/// x' = xx*x + xy*y + tx, y' = yx*x + yy*y + ty.
struct Affine {
    double xx = 1, xy = 0, yx = 0, yy = 1, tx = 0, ty = 0;

    Point apply(Point p) const { return {xx * p.x + xy * p.y + tx, yx * p.x + yy * p.y + ty}; }
    /// The linear part alone: how a direction or an offset turns and stretches.
    Point turn(Point v) const { return {xx * v.x + xy * v.y, yx * v.x + yy * v.y}; }
    /// This map applied after `inner`.
    Affine after(const Affine& inner) const;
    /// The largest magnitude among the six numbers.
    double magnitude() const;

    static Affine translation(Point by) { return {1, 0, 0, 1, by.x, by.y}; }
    /// A turn by `degrees` counter-clockwise after scaling by sx and sy. Whole multiples of 90
    /// degrees turn exactly, so that a table in a block placed upright or quarter-turned keeps
    /// its rules exactly horizontal and vertical.
    static Affine turnAndScale(double degrees, double sx, double sy);
};

/// The unit vector at `degrees` from the X axis; exact for whole multiples of 90 degrees.
Point directionOf(double degrees);

/// An extrusion direction (210/220/230); (0, 0, 1) when the entity gives none.
struct Extrusion {
    double x = 0, y = 0, z = 1;
};

/// The map from an entity's coordinate system onto the sheet by the arbitrary axis rule, the
/// height above the plane dropped: (0, 0, 1) is the identity and (0, 0, -1) mirrors X.
/// A zero vector names no plane and is taken as (0, 0, 1).
Affine entityPlane(const Extrusion& extrusion);

/// The box of `box`'s four corners under `map`: it holds whatever `box` held.
Box mapBox(const Affine& map, const Box& box);

/// The smallest box holding `box` and `p`.
inline void grow(Box& box, Point p) {
    if (p.x < box.min.x) box.min.x = p.x;
    if (p.y < box.min.y) box.min.y = p.y;
    if (p.x > box.max.x) box.max.x = p.x;
    if (p.y > box.max.y) box.max.y = p.y;
}

/// A box holding only `p`.
inline Box boxAt(Point p) { return {p, p}; }

} // namespace dxf2csv::ruled
