#pragma once
// What a drawing puts on one sheet (its model space, or its paper space) for finding tables
// by their rules: straight segments, texts and the places of other drawn things, all in sheet
// coordinates, after every block is placed. The reader fills it; the table finder reads it.

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace dxf2csv::ruled {

struct Point {
    double x = 0;
    double y = 0;
};

/// A straight piece of a LINE, an LWPOLYLINE or a 2D POLYLINE, as it stands on the sheet.
struct Segment {
    Point a;
    Point b;
};

/// The steepest a segment may lean off its axis and still be a rule: tan 1°. A line placed by
/// a rotated block, or drawn on a grid that rounding moved, leans by far less; a slanted line
/// that means something (a diagonal crossing out a cell, a leader) leans by many degrees.
inline constexpr double kAxisSlope = 0.017455;

/// Whether `s` lies within kAxisSlope of the horizontal or the vertical.
inline bool squareOnAnAxis(const Segment& s) noexcept {
    const double dx = std::abs(s.b.x - s.a.x);
    const double dy = std::abs(s.b.y - s.a.y);
    return dy <= kAxisSlope * dx || dx <= kAxisSlope * dy;
}

/// A text as it stands on the sheet.
struct SheetText {
    /// The middle of its first line: its anchor moved up or down by half its height as its
    /// vertical alignment says (the same point for every horizontal alignment).
    Point middle;
    double height = 0;   ///< on the sheet, after scaling; > 0
    std::string text;    ///< UTF-8, text codes and MTEXT formatting decoded; '\n' between lines
    std::int64_t line = 0; ///< the drawing's line the entity starts on, for messages
};

/// The bounding box of something drawn on the sheet.
struct Box {
    Point min;
    Point max;
};

/// A cell of a table as the drawing states it (an ACAD_TABLE).
struct GivenCell {
    int row = 0;       ///< from 0, top row first
    int column = 0;    ///< from 0, left column first
    int rows = 1;      ///< how many grid rows it spans
    int columns = 1;   ///< how many grid columns it spans
    std::string text;  ///< UTF-8, decoded as SheetText::text
};

/// An AutoCAD table entity, taken from its own data, never from the block that draws it.
struct GivenTable {
    std::vector<double> xs; ///< column edges on the sheet, left to right (columns + 1)
    std::vector<double> ys; ///< row edges on the sheet, top to bottom (rows + 1)
    std::vector<GivenCell> cells;
    std::int64_t line = 0;
};

/// Everything on one sheet.
struct Sheet {
    std::vector<Segment> segments; ///< the straight pieces square on an axis: what may be rules
    std::vector<SheetText> texts;
    /// Where something other than a rule, a text or a point is drawn (a slanted line, an arc,
    /// a circle, a spline, a hatch): the middle of it (of its bounding box). A region holding
    /// one is no cell. Only the middle is kept, so that the drawing's other geometry, often
    /// most of it, costs little memory.
    std::vector<Point> drawn;
    std::vector<GivenTable> given;

    /// Adds a straight piece: to the segments when it is square on an axis, else its middle
    /// to what is drawn. A piece of no length draws nothing.
    void addSegment(const Point& a, const Point& b) {
        if (a.x == b.x && a.y == b.y) return;
        const Segment s{a, b};
        if (squareOnAnAxis(s)) segments.push_back(s);
        else drawn.push_back({a.x + (b.x - a.x) / 2, a.y + (b.y - a.y) / 2});
    }
    /// Adds another drawn thing by its bounding box.
    void addDrawn(const Box& box) {
        drawn.push_back({box.min.x + (box.max.x - box.min.x) / 2, box.min.y + (box.max.y - box.min.y) / 2});
    }
};

} // namespace dxf2csv::ruled
