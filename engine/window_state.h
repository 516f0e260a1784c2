#pragma once
// The state a window keeps across runs: the text table, the member list and the counters,
// with the cell type and the number rule that the ordering reads them by.

#include "field_value.h"
#include "messages.h"
#include "text_table.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace dxf2csv {

/// Slots 1..5000, each the TextTable row of one member of the current group.
using MemberList = std::array<std::int16_t, kTableRows + 1>;

/// Everything that outlives one run, owned by the window (or by the command line per drawing).
struct WindowState {
    TextTable textTable;
    MemberList memberList{};
    std::string rowLine;
    std::int16_t groupCode = 0;
    std::string_view currentLine; ///< the value line of the current pair, valid during one step
    std::int64_t currentLineNumber = 0;
    std::int16_t textCount = 0;
    std::int16_t recognizedCount = 0;
    std::int16_t memberCount = 0;
    std::int16_t totalCount = 0;
    std::int16_t heightTolerance = 0;

    /// What every run starts from: an empty table and member list, zero counters.
    void resetForRun();
};

/// `value + add` as a signed 16-bit counter.
/// Throws RunFailure(NumberOutOfRange) naming `file` and `line`, with `what` (a detail that
/// takes the sum) as its detail.
std::int16_t checkedAdd16(std::int16_t value, int add, const std::string& file, std::int64_t line, Detail what);

} // namespace dxf2csv
