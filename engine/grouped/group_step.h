#pragma once
// The group step of the OBJECTS section: collects each GROUP's TEXT members and writes them
// as one block of CSV lines, ordered into rows by flushGroup.

#include "grouped/handle_index.h"
#include "grouped/row_ordering.h"
#include "reading/pair.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dxf2csv {

struct GroupedTables;
struct RunContext;

/// Working memory of flushGroup, kept between groups so a flush allocates nothing.
struct FlushScratch {
    RowOrdering ordering;
    std::vector<double> numbers; ///< the members' y, then their x, as whole numbers
    std::vector<int> ordered;    ///< the members' rows in their new order
};

/// The group step's memory within one run.
class GroupStep {
public:
    /// `rowTolerance`: how far apart in Y two texts may stand and still share a row.
    explicit GroupStep(std::int16_t rowTolerance) : rowTolerance_(rowTolerance) {}

    /// Handles one pair inside OBJECTS: a (0, ...) pair flushes an open GROUP with members and
    /// opens the next GROUP; a 340 pair of a GROUP adds every TEXT row with that handle.
    /// Throws RunFailure(RowOutOfRange) for the 5001st member, and what flushGroup throws.
    void step(GroupedTables& tables, const Pair& pair, const RunContext& context);
    /// The OBJECTS section or the drawing ends at `line`: an open GROUP with members is flushed.
    void finish(GroupedTables& tables, std::int64_t line, const RunContext& context);
    /// The text table may have changed: the handle index is built anew at the next lookup.
    void tableChanged() noexcept { index_.invalidate(); }

    /// Whether a GROUP is open, so that its pairs are read.
    bool collecting() const noexcept { return collecting_; }

private:
    std::int16_t rowTolerance_;
    bool collecting_ = false;
    HandleIndex index_;
    FlushScratch scratch_;
};

/// Orders members 1..memberCount by the two exchange passes, writes them as one table, a row
/// per row,
/// reports each member not vertically centred and the group's count, and adds it to
/// totalCount (a total past 32767 fails naming `line`).
/// Throws RunFailure: NotANumber for a compared x, y or vAlign that is no number (at the
/// first comparison that reads it), NumberOutOfRange for a total past 32767, and
/// OutputCannotBeWritten.
void flushGroup(GroupedTables& tables, std::int16_t rowTolerance, std::int64_t line, const RunContext& context,
                FlushScratch& scratch);

} // namespace dxf2csv
