#include "reading/number_reading.h"

#include "messages/run_failure.h"
#include "reading/text_view.h"

#include <cmath>
#include <cstdint>

namespace dxf2csv {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::optional<double> parseDecimalInGeneral(std::string_view text) noexcept {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars would also take "inf", "nan" and a second sign; only digits or a point
    // may follow the sign.
    if (text.empty() || !(isDigit(text.front()) || text.front() == '.')) return std::nullopt;
    double value = 0;
    // Blanks or a plus sign kept the text off the plain way; without them it may take it.
    if (readPlainDecimal(text, value)) return negative ? -value : value;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (ptr != end) return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // A well-formed number beyond a double: too small is 0, too large is infinite,
        // which the callers report as out of range.
        const auto e = text.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < text.size() && text[e + 1] == '-';
        value = tiny ? 0.0 : HUGE_VAL;
    } else if (ec != std::errc()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<double> floorDecimal(std::string_view text) noexcept {
    const auto value = parseDecimal(text);
    if (!value) return std::nullopt;
    return std::floor(*value);
}

FlooredNumber readFloored(std::string_view text) noexcept {
    const auto value = floorDecimal(text);
    if (!value) return {0, NumberStatus::NotANumber};
    if (!std::isfinite(*value)) return {0, NumberStatus::OutOfRange};
    return {*value, NumberStatus::Ok};
}

Floored16 readFloored16(std::string_view text) noexcept {
    // Most group codes are a few plain digits, perhaps right-aligned ("  0").
    const std::string_view trimmed = trimBlanks(text);
    int fast = 0;
    const char* end = trimmed.data() + trimmed.size();
    const auto [ptr, ec] = std::from_chars(trimmed.data(), end, fast);
    if (ec == std::errc() && ptr == end && !trimmed.empty()) {
        if (fast < INT16_MIN || fast > INT16_MAX) return {0, NumberStatus::OutOfRange};
        return {static_cast<std::int16_t>(fast), NumberStatus::Ok};
    }
    const auto value = floorDecimal(text);
    if (!value) return {0, NumberStatus::NotANumber};
    if (*value < INT16_MIN || *value > INT16_MAX) return {0, NumberStatus::OutOfRange};
    return {static_cast<std::int16_t>(*value), NumberStatus::Ok};
}

void failNumber(NumberStatus status, std::string file, std::int64_t line, Detail detail, std::vector<std::string> args) {
    const FailureKind kind =
        status == NumberStatus::OutOfRange ? FailureKind::NumberOutOfRange : FailureKind::NotANumber;
    throw RunFailure(kind, std::move(file), line, detail, std::move(args));
}

} // namespace dxf2csv
