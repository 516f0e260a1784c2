#pragma once
// The cells that one group of rules encloses. The distinct positions of the rules make a grid
// of units; a rule covers the unit edges along it; units that no covered edge separates form
// regions. A region is a cell when it is a rectangle of units that rules close all round and
// that no rule enters.

#include "ruled/rules.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace dxf2csv::ruled {

/// A rectangle of grid units: columns [x0, x1) and rows [y0, y1), rows counted from the
/// bottom (positions ascend).
struct GridCell {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;

    friend bool operator==(const GridCell&, const GridCell&) = default;
};

struct CellGrid {
    std::vector<double> xs; ///< vertical rules' positions, ascending
    std::vector<double> ys; ///< horizontal rules' positions, ascending
    std::vector<GridCell> cells;
    /// How many positions carry a rule that parts two regions (or a closed region from the
    /// outside). Tick marks and rules that end in the open part nothing.
    int partingLines = 0;
};

/// Working memory that findCells keeps between groups.
struct CellGridScratch {
    std::vector<Rule> horizontalRules, verticalRules;
    std::vector<std::uint8_t> rowEdges, columnEdges;
    std::vector<std::int32_t> region;
    std::vector<std::uint32_t> queue;
    std::vector<std::uint8_t> regionOpen;
};

/// The cells of one group of rules. `near` is how far apart two things may be and still
/// meet: pieces within it across stand on one line (joinRules), a rule reaches a position
/// within it of its end, and a rule that enters a unit edge by no more than it is an
/// overshoot, not a line inside the region. nullopt when the grid would have more than
/// `maxUnits` units. Reorders the pieces.
std::optional<CellGrid> findCells(std::span<Piece> horizontal, std::span<Piece> vertical, double near,
                                  std::size_t maxUnits, CellGridScratch& scratch);

} // namespace dxf2csv::ruled
