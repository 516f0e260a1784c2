#include "grouped/grouped_tables.h"

#include "messages/run_failure.h"

#include <cstdint>

namespace dxf2csv {

std::int32_t GroupedTables::checkedAdd(std::int32_t value, int add, const std::string& file, std::int64_t line,
                                       Detail what) const {
    const std::int64_t sum = std::int64_t{value} + add;
    const std::int64_t low = limited ? INT16_MIN : INT32_MIN;
    const std::int64_t high = limited ? INT16_MAX : INT32_MAX;
    if (sum < low || sum > high) throw RunFailure(FailureKind::NumberOutOfRange, file, line, what, {std::to_string(sum)});
    return static_cast<std::int32_t>(sum);
}

} // namespace dxf2csv
