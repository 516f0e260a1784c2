#pragma once
// Checks and mends UTF-8, the report's character set.

#include <string>
#include <string_view>

namespace dxf2csv {

/// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or code points past
/// U+10FFFF).
bool isValidUtf8(std::string_view bytes) noexcept;

/// `bytes` with each byte that begins no well-formed UTF-8 sequence replaced by U+FFFD.
std::string sanitizeUtf8(std::string_view bytes);

/// The replacement character U+FFFD, in UTF-8.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

} // namespace dxf2csv
