#pragma once
// Rules: the horizontal and vertical straight lines that tables are drawn with. A drawing
// gives them as segments in any direction and often as many short pieces; here they are
// sorted by direction, set square on their axis and joined into whole rules.

#include "ruled/sheet.h"

#include <span>
#include <vector>

namespace dxf2csv::ruled {

/// A segment that stands square on an axis: at `at` across the axis, from `lo` to `hi` along
/// it (lo < hi). A horizontal piece has y = at and runs over x in [lo, hi].
struct Piece {
    double at = 0;
    double lo = 0;
    double hi = 0;

    double middle() const noexcept { return lo + (hi - lo) / 2; }
};

/// A sheet's segments by what they are to a table.
struct SortedSegments {
    std::vector<Piece> horizontal;
    std::vector<Piece> vertical;
    /// The middles of the slanted segments: drawn geometry, which no cell may hold.
    std::vector<Point> slanted;
};

/// Sorts each segment: a rule when within kAxisSlope of an axis (set on the axis at the mean
/// of its ends), slanted otherwise. Segments of zero length, or whose ends or length do not
/// fit a double, are left out.
SortedSegments sortSegments(std::span<const Segment> segments);

/// A whole rule on grid line `line` (an index into the positions joinRules gives).
struct Rule {
    int line = 0;
    double lo = 0;
    double hi = 0;
};

/// Joins pieces of one direction. Pieces whose `at` lie within `near` of the lowest of their
/// group stand on one line (two rules that close have no room for a text between them: they
/// are one line drawn twice, or a tick beside it), where the longest of them stands. On each line, pieces that overlap or
/// whose gap is at most `near` join into one rule. Fills `positions` (ascending) and `rules`
/// (by line, then lo); reorders `pieces`.
void joinRules(std::span<Piece> pieces, double near, std::vector<double>& positions, std::vector<Rule>& rules);

} // namespace dxf2csv::ruled
