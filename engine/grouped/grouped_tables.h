#pragma once
// What the grouped-table steps of one run build up: the captured TEXTs, the current GROUP's
// members and the counters that the report gives.

#include "grouped/text_table.h"
#include "messages/messages.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dxf2csv {

/// Created empty, with every counter 0, for each run.
struct GroupedTables {
    /// Limited: at most 5000 TEXTs and 5000 members of a group, counters of 16 bits, as the
    /// grouped tables always were. Unlimited (when the run only tries whether the drawing has
    /// grouped tables): the tables grow with the drawing.
    explicit GroupedTables(bool limited = true) : limited(limited), texts(limited ? kTableRows : 0) {}

    bool limited;
    TextTable texts;
    /// Slot k (from 1) holds the TextTable row of member k of the current group; slot 0 is
    /// never used.
    std::vector<int> members = std::vector<int>(kTableRows + 1);
    std::int32_t textCount = 0;       ///< TEXTs seen in ENTITIES so far
    std::int32_t recognizedCount = 0; ///< TEXTs of ENTITIES, fixed when OBJECTS begins
    std::int32_t memberCount = 0;     ///< members of the current group
    std::int32_t totalCount = 0;      ///< members of every group written
    std::int32_t groupsWritten = 0;   ///< GROUPs that held a TEXT

    /// `value + add` as a counter: of 16 bits when limited, else of 32.
    /// Throws RunFailure(NumberOutOfRange) naming `file` and `line`, with `what` (a detail that
    /// takes the sum) as its detail.
    std::int32_t checkedAdd(std::int32_t value, int add, const std::string& file, std::int64_t line, Detail what) const;
};

} // namespace dxf2csv
