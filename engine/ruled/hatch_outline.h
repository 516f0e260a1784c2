#pragma once
// The box of a HATCH, from the boundaries it is written with.

#include "ruled/sheet.h"
#include "ruled/value_reading.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace dxf2csv::ruled {

/// Reads the boundary paths of one HATCH pair by pair and keeps the box that holds them, in
/// the hatch's own plane: every line end, polyline vertex and spline point, each bulged
/// polyline segment's arc, and each arc's or ellipse's whole circle or ellipse. The
/// elevation point before the paths and everything after them (pattern, seed points) is
/// left out. Numbers are read only where the path being read uses them.
class HatchOutline {
public:
    void reset();
    /// One pair of the HATCH, after its (0, HATCH).
    void take(int code, std::string_view value, std::int64_t line, const ValueReader& values);
    /// The box of what was read; nothing when no boundary was.
    std::optional<Box> box();

private:
    void point(Point p);
    void endPath();
    void add(Point p);
    void add(const Box& b);

    bool inPaths_ = false;
    bool done_ = false;
    bool polylinePath_ = false;
    bool closed_ = false;
    int edgeType_ = 0;
    double pendingX_ = 0;
    double pendingX2_ = 0;
    Point edgeCenter_;
    // The polyline path being read: its first vertex, and the last with its bulge.
    bool hasVertex_ = false;
    Point firstVertex_;
    Point lastVertex_;
    double lastBulge_ = 0;
    bool hasBox_ = false;
    Box box_;
};

} // namespace dxf2csv::ruled
