#pragma once
// The numbers of drawn entities, read where a drawing's value line holds them; a value that
// is no sane number fails the run naming its line.

#include <cstdint>
#include <string>
#include <string_view>

namespace dxf2csv::ruled {

/// The largest magnitude a coordinate, length, scale or angle may have. Past 1e15 a double no
/// longer holds a tenth of a unit (it has 15 to 16 significant digits), so sheets and tables
/// cannot be told apart there: such a number is a broken drawing, not a far-away table. It
/// also keeps every product of the placement maps finite.
inline constexpr double kMaxMagnitude = 1e15;

class ValueReader {
public:
    explicit ValueReader(const std::string& file) : file_(file) {}

    /// A decimal number within ±kMaxMagnitude.
    /// Fails with NotANumber, or NumberOutOfRange past the bound, naming `line`.
    double number(std::string_view value, std::int64_t line) const;
    /// A scale: number(), and not 0. Fails with NumberOutOfRange naming `line` for a 0.
    double scale(std::string_view value, std::int64_t line) const;
    /// A flag or a count: a whole number of 16 bits (rounded down).
    /// Fails with NotANumber or NumberOutOfRange naming `line`.
    int whole(std::string_view value, std::int64_t line) const;

    const std::string& file() const { return file_; }

private:
    const std::string& file_;
};

} // namespace dxf2csv::ruled
