#include "grouped/grouped_tables.h"

#include "messages/run_failure.h"

#include <cstdint>

namespace dxf2csv {

std::int32_t checkedAdd(std::int32_t value, int add, std::int32_t most, const std::string& file, std::int64_t line,
                        Detail what) {
    const std::int64_t sum = std::int64_t{value} + add;
    if (sum < -std::int64_t{most} - 1 || sum > most) throw RunFailure(FailureKind::NumberOutOfRange, file, line, what, {std::to_string(sum)});
    return static_cast<std::int32_t>(sum);
}

} // namespace dxf2csv
