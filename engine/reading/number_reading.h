#pragma once
// Numbers as a drawing and the tolerance box write them, read without the locale (which the
// window toolkit changes). The readers return a result; the caller, who knows the file and the
// line, turns a bad one into a failure.

#include "messages/messages.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dxf2csv {

enum class NumberStatus : std::uint8_t {
    Ok,
    NotANumber,
    OutOfRange, ///< past the range asked for, or past what a double holds
};

/// A whole number of 16 bits, or why there is none.
struct Floored16 {
    std::int16_t value = 0;
    NumberStatus status = NumberStatus::Ok;
};

/// A whole number held in a double, or why there is none.
struct FlooredNumber {
    double value = 0;
    NumberStatus status = NumberStatus::Ok;
};

/// parseDecimal for any text: the way a number that is not written plainly takes.
std::optional<double> parseDecimalInGeneral(std::string_view text) noexcept;

/// parseDecimal for a number written the way a drawing writes its coordinates ("-12.5000": a
/// minus perhaps, at most 15 digits, a point perhaps, nothing else), into `value`; false for
/// any other text, which parseDecimalInGeneral reads. For the hot loops: the answer comes in a
/// register, never through an optional in memory.
inline bool readPlainDecimal(std::string_view text, double& value) noexcept {
    // The digits before and after the point are gathered apart, which halves the chain of
    // multiplications, and make m / 10^k with m below 10^15 and k <= 15: both exact doubles,
    // so the one division rounds exactly as the general way does.
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    static constexpr std::uint64_t kWholePowersOfTen[] = {
        1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000, 10000000000,
        100000000000, 1000000000000, 10000000000000, 100000000000000, 1000000000000000};
    constexpr std::size_t kMostDigits = 15; // 10^15 < 2^53: every such m is an exact double
    const char* s = text.data();
    const char* const end = s + text.size();
    const bool negative = s != end && *s == '-';
    s += negative;
    const char* const whole = s;
    std::uint64_t before = 0;
    for (unsigned d; s != end && (d = static_cast<unsigned char>(*s) - unsigned{'0'}) < 10; ++s) before = before * 10 + d;
    const auto wholeDigits = static_cast<std::size_t>(s - whole);
    std::uint64_t after = 0;
    std::size_t fractionDigits = 0;
    if (s != end && *s == '.') {
        const char* const fraction = ++s;
        for (unsigned d; s != end && (d = static_cast<unsigned char>(*s) - unsigned{'0'}) < 10; ++s) after = after * 10 + d;
        fractionDigits = static_cast<std::size_t>(s - fraction);
    }
    // Past kMostDigits the sums have wrapped around (harmless, they are unsigned) and are
    // not used: such a number goes the general way, as does every other text.
    if (s != end || wholeDigits + fractionDigits == 0 || wholeDigits + fractionDigits > kMostDigits) return false;
    const double read =
        static_cast<double>(before * kWholePowersOfTen[fractionDigits] + after) / kPowersOfTen[fractionDigits];
    value = negative ? -read : read;
    return true;
}

/// Reads a decimal number: blanks (spaces, tabs) around it, an optional sign, digits with an
/// optional fraction, an optional exponent. Returns nothing for any other text; a number
/// beyond a double gives an infinity.
inline std::optional<double> parseDecimal(std::string_view text) noexcept {
    double value = 0;
    if (readPlainDecimal(text, value)) return value;
    return parseDecimalInGeneral(text);
}

/// A text read as a number and rounded down (towards minus infinity: 7.9 gives 7, -0.5 gives
/// -1). Nothing when the text is no number.
std::optional<double> floorDecimal(std::string_view text) noexcept;

/// floorDecimal, with a number past a double (1e999) out of range.
FlooredNumber readFloored(std::string_view text) noexcept;

/// A text read as a whole number (rounded down) that must fit 16 bits.
Floored16 readFloored16(std::string_view text) noexcept;

/// The failure for a number read as `status` (not Ok): NotANumber or NumberOutOfRange.
[[noreturn]] void failNumber(NumberStatus status, std::string file, std::int64_t line, Detail detail,
                             std::vector<std::string> args);

/// readFloored16 for a group-code line, the most frequent number of a drawing: plain digits,
/// perhaps right-aligned ("  0"), are read here; anything else goes the general way.
inline Floored16 readGroupCode(std::string_view text) noexcept {
    if (text.size() == 3) {
        // The usual right-aligned form ("  0", " 10", "330"), read without a branch on the
        // digits: the codes of a drawing vary too much for a branch to be guessed right.
        const unsigned a = static_cast<unsigned char>(text[0]) - unsigned{'0'};
        const unsigned b = static_cast<unsigned char>(text[1]) - unsigned{'0'};
        const unsigned c = static_cast<unsigned char>(text[2]) - unsigned{'0'};
        const bool aDigit = a < 10;
        const bool bDigit = b < 10;
        const bool aBlank = text[0] == ' ';
        const bool bBlank = text[1] == ' ';
        const bool ok = (c < 10) & (bDigit | (bBlank & aBlank)) & (aDigit | aBlank);
        if (ok) return {static_cast<std::int16_t>(a * aDigit * 100 + b * bDigit * 10 + c), NumberStatus::Ok};
    }
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    int value = 0;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec == std::errc() && ptr == last && first != last && *first != '-' && value <= INT16_MAX)
        return {static_cast<std::int16_t>(value), NumberStatus::Ok};
    return readFloored16(text);
}

} // namespace dxf2csv
