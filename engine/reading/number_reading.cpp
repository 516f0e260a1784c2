#include "reading/number_reading.h"

#include "messages/run_failure.h"
#include "reading/text_view.h"

#include <cmath>
#include <cstdint>

namespace dxf2csv {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

/// Plain decimals ("1234.5678", most numbers of a drawing) without the general parser: the
/// digits as a whole number m below 2^53 and k digits after the point give m / 10^k, both
/// exact doubles for k <= 22, so the one division rounds exactly as the general parser does
/// (Clinger's fast path). Nothing for any other text, which the general parser reads.
/// Example: "-12.50" has m = 1250, k = 2: -(1250 / 100) = -12.5.
std::optional<double> plainDecimal(std::string_view text) noexcept {
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                              1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr std::uint64_t kExactBelow = std::uint64_t{1} << 53;
    std::uint64_t m = 0;
    std::size_t digits = 0;
    std::size_t afterPoint = 0;
    bool point = false;
    for (const char c : text) {
        if (isDigit(c)) {
            if (++digits > 15) return std::nullopt; // 10^15 < 2^53: no overflow to check
            m = m * 10 + static_cast<std::uint64_t>(c - '0');
            afterPoint += point;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || m >= kExactBelow) return std::nullopt;
    return static_cast<double>(m) / kPowersOfTen[afterPoint];
}

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
    if (const auto plain = plainDecimal(text)) return negative ? -*plain : *plain;
    double value = 0;
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
