#include "output/plain_number.h"

#include "reading/number_reading.h"

namespace dxf2csv {
namespace {

constexpr bool isDigit(char c) noexcept { return c >= '0' && c <= '9'; }

} // namespace

std::optional<double> plainNumberValue(std::string_view text) noexcept {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') ++i;
    const std::size_t whole = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    const std::size_t wholeDigits = i - whole;
    if (wholeDigits == 0 || (wholeDigits > 1 && text[whole] == '0')) return std::nullopt;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fraction = ++i;
        while (i < text.size() && isDigit(text[i])) ++i;
        if (i == fraction) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    return parseDecimal(text);
}

} // namespace dxf2csv
