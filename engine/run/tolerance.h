#pragma once
// The row tolerance as the user types it.

#include <cstdint>
#include <string>
#include <string_view>

namespace dxf2csv {

/// The tolerance box's text as a whole number: full-width characters are read as their ASCII
/// forms, then the number is rounded down and must fit 16 bits.
/// Throws RunFailure(NotANumber or NumberOutOfRange) naming `name`.
std::int16_t readTolerance(std::string_view toleranceText, const std::string& name);

/// `text` with the full-width forms an input method types (digits, signs, point, E, the
/// ideographic space) replaced by their ASCII ones.
std::string asciiForms(std::string_view text);

} // namespace dxf2csv
