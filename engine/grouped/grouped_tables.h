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
    /// With limitedTexts, at most 5000 TEXTs (and 32767 counted), as the grouped tables always
    /// were; without (when the run tries whether the drawing has grouped tables), the text
    /// table grows with the drawing. A group holds at most 5000 members and the total stays
    /// within 16 bits either way.
    explicit GroupedTables(bool limitedTexts = true)
        : limitedTexts(limitedTexts), texts(limitedTexts ? kTableRows : 0) {}

    bool limitedTexts;
    TextTable texts;
    /// Slot k (1..5000) holds the TextTable row of member k of the current group; slot 0 is
    /// never used.
    std::vector<int> members = std::vector<int>(kTableRows + 1);
    std::int32_t textCount = 0;       ///< TEXTs seen in ENTITIES so far
    std::int32_t recognizedCount = 0; ///< TEXTs of ENTITIES, fixed when OBJECTS begins
    std::int32_t memberCount = 0;     ///< members of the current group
    std::int32_t totalCount = 0;      ///< members of every group written
    std::int32_t groupsWritten = 0;   ///< GROUPs that held a TEXT

    /// The most TEXTs counted: 32767, or 2^31 - 1 without limitedTexts.
    std::int32_t mostTexts() const noexcept { return limitedTexts ? INT16_MAX : INT32_MAX; }
};

/// `value + add` as a counter that holds at most `most` (and at least -most - 1).
/// Throws RunFailure(NumberOutOfRange) naming `file` and `line`, with `what` (a detail that
/// takes the sum) as its detail.
std::int32_t checkedAdd(std::int32_t value, int add, std::int32_t most, const std::string& file, std::int64_t line,
                        Detail what);

} // namespace dxf2csv
