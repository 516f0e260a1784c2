#pragma once
// Which texts a workbook takes as numbers: plain decimals only, so that a 数量 column adds up
// and no part number becomes a date or loses its zeros.

#include <optional>
#include <string_view>

namespace dxf2csv {

/// The value of `text` when the whole text is a plain decimal number: an optional minus
/// sign, digits without a leading zero unless the whole part is 0, and an optional point
/// followed by digits ("4", "-12", "0.5", "12.50"). Nothing for any other text ("1-2", "007",
/// "1E5", "3/4", "M8", "+5", ".5", "4.", full-width digits, blanks around).
std::optional<double> plainNumberValue(std::string_view text) noexcept;

} // namespace dxf2csv
