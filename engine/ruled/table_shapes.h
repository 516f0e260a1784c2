#pragma once
// How cells make tables: cells that share an edge belong together, and a table is a
// rectangle of them. A group whose outline is no rectangle (a parts list standing on a wider
// title block, or cells around a region that is no cell) is cut where its outline changes.

#include "ruled/cell_grid.h"

#include <cstdint>
#include <span>
#include <vector>

namespace dxf2csv::ruled {

/// The rectangles of `cells` (which must not overlap): each a list of cell indices whose
/// cells share edges and fill their bounding rectangle. A group of cells that share edges is
/// one rectangle when it fills its bounding rectangle; otherwise it is cut, across rows or
/// else across columns, at every line that no cell crosses and where the cells on its two
/// sides do not span the same columns (rows), and each part is taken the same way. A part
/// that no line cuts, or that is still cut up after kMaxCutRounds rounds, is no table.
/// Lone cells come back as rectangles of one.
std::vector<std::vector<std::uint32_t>> tableShapes(std::span<const GridCell> cells);

inline constexpr int kMaxCutRounds = 32;

} // namespace dxf2csv::ruled
