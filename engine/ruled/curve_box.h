#pragma once
// Bounding boxes of the curved pieces of a drawing: arcs, circles, ellipses and the bulged
// segments of polylines.

#include "ruled/sheet.h"

namespace dxf2csv::ruled {

/// The box of a circle.
Box circleBox(Point center, double radius);

/// The box of the arc from `startDegrees` counter-clockwise to `endDegrees`; equal angles draw
/// the whole circle.
Box arcBox(Point center, double radius, double startDegrees, double endDegrees);

/// The box of the arc that a polyline draws from `from` to `to` with bulge `bulge` (the tangent
/// of a quarter of its angle; positive counter-clockwise). `bulge` is not 0.
Box bulgeBox(Point from, Point to, double bulge);

/// The box of a whole ellipse with `major` (the end of its major axis, from the center) and
/// the minor axis `ratio` times as long. A part of it lies in the same box.
Box ellipseBox(Point center, Point major, double ratio);

} // namespace dxf2csv::ruled
