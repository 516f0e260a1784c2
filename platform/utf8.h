#pragma once
// UTF-8, the character set of the report, the messages and the system's file names: checked,
// mended, taken apart and put together, the same on every system.

#include <cstddef>
#include <string>
#include <string_view>

namespace dxf2csv {

/// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or code points past
/// U+10FFFF).
bool isValidUtf8(std::string_view bytes) noexcept;

/// `bytes` with each byte that begins no well-formed UTF-8 sequence replaced by U+FFFD.
std::string sanitizeUtf8(std::string_view bytes);

/// How many bytes the UTF-8 sequence that begins with `lead` takes, by the lead's bit pattern:
/// 2 for 110xxxxx, 3 for 1110xxxx, 4 for 11110xxx, and 1 for ASCII and for every byte that
/// begins no sequence (a continuation byte 10xxxxxx, or 0xF8..0xFF), so that a stray byte is
/// stepped over alone and never swallows the character after it.
constexpr std::size_t utf8Length(unsigned char lead) noexcept {
    return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : 1;
}

/// The code point `c` written in UTF-8.
std::string utf8Of(char32_t c);

/// The code point of the well-formed UTF-8 character `character`.
char32_t codePointOf(std::string_view character) noexcept;

/// The replacement character U+FFFD, in UTF-8: what a byte that converts to nothing shows as.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

/// The UTF-8 byte-order mark U+FEFF: a drawing may begin with it, and Excel takes a CSV that
/// begins with it as UTF-8.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

} // namespace dxf2csv
