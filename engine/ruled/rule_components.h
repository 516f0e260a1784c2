#pragma once
// Which rules belong together: a table's rules touch or nearly touch one another, so the
// rules of a table fall into one connected group, apart from the rest of the drawing.

#include "ruled/rules.h"

#include <cstdint>
#include <span>
#include <vector>

namespace dxf2csv::ruled {

struct RuleGroups {
    /// The group of each piece: horizontal pieces first, then vertical ones.
    std::vector<std::uint32_t> groupOf;
    std::uint32_t count = 0;
};

/// Groups pieces that touch, each piece reaching `reach[k]` (same order as groupOf) beyond
/// its ends: a horizontal and a vertical piece touch when each, so lengthened, meets the
/// other's line within the other's length; two pieces of one direction touch when they
/// overlap, so lengthened, and lie within the larger reach of each other across.
/// Takes O(n log n) time and a few words per piece, whatever the number of crossings.
RuleGroups groupRules(std::span<const Piece> horizontal, std::span<const Piece> vertical,
                      std::span<const float> reach);

} // namespace dxf2csv::ruled
