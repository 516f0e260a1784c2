#pragma once
// The group step of the OBJECTS section: collects each GROUP's TEXT members and writes them
// as one block of CSV lines, ordered into rows by FlushGroup.

#include "run_context.h"
#include "window_state.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dxf2csv {

/// Rows 1..limit of the TextTable by handle, each handle's rows in row order (an absent handle
/// is filed under the empty text).
class HandleIndex {
public:
    /// Builds the index when it is stale or was built for another limit.
    void prepare(const TextTable& table, int limit);
    void invalidate() noexcept { builtFor_ = -1; }
    /// The first row holding `handle`, or 0.
    int first(std::string_view handle) const;
    /// The row after `row` that holds the same handle, or 0.
    int next(int row) const { return next_[static_cast<std::size_t>(row)]; }

private:
    std::unordered_map<std::string_view, int> first_;
    std::vector<int> next_;
    int builtFor_ = -1;
};

/// Working memory of FlushGroup, kept between groups so a flush allocates nothing.
struct FlushScratch {
    std::vector<int> row;  ///< slot k: the member's TextTable row
    std::vector<double> x; ///< slot k: its x as a whole number
    std::vector<double> y; ///< slot k: its y as a whole number
    std::vector<std::int64_t> wholeX; ///< x and y as integers, when they all fit one
    std::vector<std::int64_t> wholeY;
};

/// The group step's memory within one run.
class GroupStep {
public:
    /// Handles one pair inside OBJECTS: a (0, ...) pair flushes an open GROUP with members and
    /// opens the next GROUP; a 340 pair of a GROUP adds every TEXT row with that handle.
    /// Throws RunFailure(RowOutOfRange) for the 5001st member.
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
/// first comparison that reads it), NumberOutOfRange for a total past 32767.
void FlushGroup(WindowState& state, const RunContext& context, FlushScratch& scratch);

/// Appends one CSV field: as read, or in double quotes with '"' doubled when it holds ',' or '"'.
void appendCsvField(std::string& line, std::string_view field);

} // namespace dxf2csv
