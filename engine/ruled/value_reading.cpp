#include "ruled/value_reading.h"

#include "reading/number_reading.h"
#include "messages/run_failure.h"

#include <cmath>

namespace dxf2csv::ruled {

double ValueReader::number(std::string_view value, std::int64_t line) const {
    double read = 0;
    if (!readPlainDecimal(value, read)) {
        const auto general = parseDecimalInGeneral(value);
        if (!general) throw RunFailure(FailureKind::NotANumber, file_, line, Detail::OffendingText, {quoteText(value)});
        read = *general;
    }
    if (!(std::fabs(read) <= kMaxMagnitude))
        throw RunFailure(FailureKind::NumberOutOfRange, file_, line, Detail::BeyondBound, {quoteText(value), "1e15"});
    return read;
}

double ValueReader::scale(std::string_view value, std::int64_t line) const {
    const double read = number(value, line);
    if (read == 0) throw RunFailure(FailureKind::NumberOutOfRange, file_, line, Detail::ZeroScale, {quoteText(value)});
    return read;
}

int ValueReader::whole(std::string_view value, std::int64_t line) const {
    const Floored16 read = readFloored16(value);
    if (read.status != NumberStatus::Ok) failNumber(read.status, file_, line, Detail::OffendingText, {quoteText(value)});
    return read.value;
}

} // namespace dxf2csv::ruled
