#include "grouped/grouped_tables.h"

#include "messages/run_failure.h"

namespace dxf2csv {

std::int16_t checkedAdd16(std::int16_t value, int add, const std::string& file, std::int64_t line, Detail what) {
    const int sum = value + add;
    if (sum < INT16_MIN || sum > INT16_MAX)
        throw RunFailure(FailureKind::NumberOutOfRange, file, line, what, {std::to_string(sum)});
    return static_cast<std::int16_t>(sum);
}

} // namespace dxf2csv
