#pragma once
// What the grouped-table steps of one run build up: the captured TEXTs, the current GROUP's
// members and the counters that the report gives.

#include "grouped/text_table.h"
#include "messages/messages.h"

#include <array>
#include <cstdint>
#include <string>

namespace dxf2csv {

/// Slots 1..5000, each the TextTable row of one member of the current group.
using MemberList = std::array<std::int16_t, kTableRows + 1>;

/// Created empty, with every counter 0, for each run.
struct GroupedTables {
    TextTable texts;
    MemberList members{};
    std::int16_t textCount = 0;       ///< TEXTs seen in ENTITIES so far
    std::int16_t recognizedCount = 0; ///< TEXTs of ENTITIES, fixed when OBJECTS begins
    std::int16_t memberCount = 0;     ///< members of the current group
    std::int16_t totalCount = 0;      ///< members of every group written
};

/// `value + add` as a signed 16-bit counter.
/// Throws RunFailure(NumberOutOfRange) naming `file` and `line`, with `what` (a detail that
/// takes the sum) as its detail.
std::int16_t checkedAdd16(std::int16_t value, int add, const std::string& file, std::int64_t line, Detail what);

} // namespace dxf2csv
