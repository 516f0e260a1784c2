#pragma once
// One (group code, value) pair of a drawing, as the scanner hands it to the steps.

#include <cstdint>
#include <string_view>

namespace dxf2csv {

struct Pair {
    std::int16_t code = 0;
    std::string_view value;  ///< the value line as read; valid during one step only
    std::int64_t line = 0;   ///< the drawing's line the value stands on
};

} // namespace dxf2csv
