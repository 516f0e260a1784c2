#pragma once
// Small helpers that draw sheets for the ruled-table tests: lines, rectangles, grids and
// texts, as the reader would hand them to the finder.

#include "ruled/sheet.h"
#include "ruled/table.h"

#include <string>
#include <vector>

namespace dxf2csv::ruled::test {

inline void line(Sheet& s, double x0, double y0, double x1, double y1) { s.segments.push_back({{x0, y0}, {x1, y1}}); }

inline void rect(Sheet& s, double x0, double y0, double x1, double y1) {
    line(s, x0, y0, x1, y0);
    line(s, x1, y0, x1, y1);
    line(s, x1, y1, x0, y1);
    line(s, x0, y1, x0, y0);
}

/// Every line of a full grid: verticals at xs over the ys' range, horizontals at ys.
inline void grid(Sheet& s, const std::vector<double>& xs, const std::vector<double>& ys) {
    for (double x : xs) line(s, x, ys.front(), x, ys.back());
    for (double y : ys) line(s, xs.front(), y, xs.back(), y);
}

inline void text(Sheet& s, double x, double y, std::string t, double height = 2.5) {
    s.texts.push_back({{x, y}, height, std::move(t), 0});
}

/// The cells' texts row by row: cells of a row joined by "|", rows by "/"; a cell spanning
/// several columns or rows is written once, at its top-left position, with its span as
/// "<text>{rows x columns}".
inline std::string layout(const Table& t) {
    std::string out;
    int row = -1;
    for (const Cell& c : t.cells) {
        if (c.row != row) {
            if (row >= 0) out += "/";
            row = c.row;
        } else {
            out += "|";
        }
        out += c.text;
        if (c.rows != 1 || c.columns != 1) out += "{" + std::to_string(c.rows) + "x" + std::to_string(c.columns) + "}";
    }
    return out;
}

} // namespace dxf2csv::ruled::test
