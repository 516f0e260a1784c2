#pragma once
// What a drawing puts on one sheet (its model space, or its paper space) for finding tables
// by their rules: straight segments, texts and the places of other drawn things, all in sheet
// coordinates, after every block is placed. The reader fills it; the table finder reads it.

#include <cstdint>
#include <string>
#include <vector>

namespace dxf2csv::ruled {

struct Point {
    double x = 0;
    double y = 0;
};

/// A straight piece of a LINE, an LWPOLYLINE or a 2D POLYLINE, as it stands on the sheet.
/// Any direction: the finder decides which are near enough to horizontal or vertical.
struct Segment {
    Point a;
    Point b;
};

/// A text as it stands on the sheet.
struct SheetText {
    /// The middle of its first line: its anchor moved up or down by half its height as its
    /// vertical alignment says (the same point for every horizontal alignment).
    Point middle;
    double height = 0;   ///< on the sheet, after scaling; > 0
    std::string text;    ///< UTF-8, text codes and MTEXT formatting decoded; '\n' between lines
    std::int64_t line = 0; ///< the drawing's line the entity starts on, for messages
};

/// Where something other than a rule, a text or a point is drawn (an arc, a circle, a
/// slanted line, a spline, a hatch): its bounding box on the sheet. A region holding one is
/// no cell.
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
    std::vector<Segment> segments;
    std::vector<SheetText> texts;
    std::vector<Box> drawn;
    std::vector<GivenTable> given;
};

} // namespace dxf2csv::ruled
