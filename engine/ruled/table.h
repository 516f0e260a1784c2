#pragma once
// The tables of a sheet: those its rules and texts draw, and those it states as tables.

#include "ruled/sheet.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dxf2csv::ruled {

/// One cell of a table; a merged cell spans several grid rows or columns.
struct Cell {
    int row = 0, column = 0;   ///< top-left grid position, from 0
    int rows = 1, columns = 1; ///< span
    std::string text;          ///< the cell's texts joined (joinCellText); empty when none
    int texts = 0;             ///< how many SheetTexts it holds
    std::int64_t line = 0;     ///< the drawing's line of its first text, for messages
};

struct Table {
    std::vector<double> xs;  ///< column edges, left to right (columns + 1)
    std::vector<double> ys;  ///< row edges, top to bottom (rows + 1): decreasing
    std::vector<Cell> cells; ///< by row, then column; each grid position in exactly one
    int texts = 0;           ///< SheetTexts placed in the table

    int rows() const noexcept { return ys.empty() ? 0 : static_cast<int>(ys.size()) - 1; }
    int columns() const noexcept { return xs.empty() ? 0 : static_cast<int>(xs.size()) - 1; }
};

/// The tables of one sheet, found from its rules and texts plus the sheet's given tables, in
/// reading order (orderTables).
std::vector<Table> findTables(const Sheet& sheet);

} // namespace dxf2csv::ruled
