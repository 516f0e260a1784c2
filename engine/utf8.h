#pragma once
// Checks and mends UTF-8, the report's character set.

#include <cstddef>
#include <string>
#include <string_view>

namespace dxf2csv {

/// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or code points past
/// U+10FFFF).
bool isValidUtf8(std::string_view bytes) noexcept;

/// `bytes` with each byte that begins no well-formed UTF-8 sequence replaced by U+FFFD.
std::string sanitizeUtf8(std::string_view bytes);

/// How many bytes the UTF-8 sequence that begins with `lead` takes (1 for a byte that begins
/// none).
constexpr std::size_t utf8Length(unsigned char lead) noexcept {
    return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

/// The code point `c` written in UTF-8.
std::string utf8Of(char32_t c);

/// The code point of the well-formed UTF-8 character `character`.
char32_t codePointOf(std::string_view character) noexcept;

/// The replacement character U+FFFD, in UTF-8.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

} // namespace dxf2csv
