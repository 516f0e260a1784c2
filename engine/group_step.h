#pragma once
// The group step of the OBJECTS section: collects each GROUP's TEXT members and writes them
// as one block of CSV lines, ordered into rows by FlushGroup.

#include "handle_index.h"
#include "row_ordering.h"

#include <vector>

namespace dxf2csv {

struct RunContext;
struct WindowState;

/// Working memory of FlushGroup, kept between groups so a flush allocates nothing.
struct FlushScratch {
    RowOrdering ordering;
    std::vector<double> numbers; ///< the members' y, then their x, as whole numbers
};

/// The group step's memory within one run.
class GroupStep {
public:
    /// Handles one pair inside OBJECTS: a (0, ...) pair flushes an open GROUP with members and
    /// opens the next GROUP; a 340 pair of a GROUP adds every TEXT row with that handle.
    /// Throws RunFailure(RowOutOfRange) for the 5001st member, and what FlushGroup throws.
    void step(WindowState& state, const RunContext& context);
    /// The OBJECTS section or the drawing ends: an open GROUP with members is flushed.
    void finish(WindowState& state, const RunContext& context);
    /// The text table may have changed: the handle index is built anew at the next lookup.
    void tableChanged() noexcept { index_.invalidate(); }

    bool groupFlag = false;

private:
    HandleIndex index_;
    FlushScratch scratch_;
};

/// Orders members 1..memberCount by the two exchange passes, writes one CSV line per row,
/// reports each member not vertically centred and the group's count, and adds it to
/// totalCount.
/// Throws RunFailure: NotANumber for a compared x, y or vAlign that is no number (at the
/// first comparison that reads it), NumberOutOfRange for a total past 32767, and
/// OutputCannotBeWritten.
void FlushGroup(WindowState& state, const RunContext& context, FlushScratch& scratch);

} // namespace dxf2csv
