#pragma once
// The system's converters between Windows code pages (932 Shift-JIS, 1252, ...) and UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace dxf2csv::platform {

/// Shift-JIS as Windows writes it, the code page of Japanese drawings.
inline constexpr int kShiftJis = 932;

/// True when the system converts code page `page`.
bool codePageAvailable(int page);

/// `bytes` of code page `page` as UTF-8. A byte that begins no character of the page shows as
/// U+FFFD, and the conversion goes on after it. Nothing when the page is not available.
std::optional<std::string> codePageToUtf8(int page, std::string_view bytes);

/// UTF-8 `text` in code page `page`. Nothing when the page is not available or has no
/// character for one of the text's; then `unmappable` is that character's byte offset in
/// `text` (or text.size() when the page is not available).
std::optional<std::string> utf8ToCodePage(int page, std::string_view text, std::size_t& unmappable);

} // namespace dxf2csv::platform
