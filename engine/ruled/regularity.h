#pragma once
// Tables against floor plans. Both are rectangles ruled by lines with names in them, and
// their cells are of much the same size against their texts; what differs is how regular the
// ruling is.

namespace dxf2csv::ruled {

/// Whether a group of rules is ruled like a table: its parting lines (the positions whose
/// rules part two regions, CellGrid::partingLines) number at most kPartingLinesPerFilledCell
/// per cell that holds a text, plus kSpareLines.
///
/// Rectangles cut out of a rectangle take at most one more position than cells, plus the 3
/// of the outline, so a table whose cells mostly hold texts stays well inside the bound, and
/// a sheet frame around a title block adds its far edges and its border (6) to the spare.
/// A floor plan gives several positions for every named room (each wall is two lines, each
/// door or window two jambs, most of its regions hold no name or are no cells at all).
bool ruledLikeATable(int partingLines, int filledCells);

inline constexpr int kPartingLinesPerFilledCell = 2;
inline constexpr int kSpareLines = 8;

} // namespace dxf2csv::ruled
