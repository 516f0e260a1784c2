#pragma once
// The system's converters between Windows code pages (932 Shift-JIS, 1252, ...) and UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace dxf2csv::platform {

/// True when the system converts code page `page`.
bool codePageAvailable(int page);

/// `bytes` of code page `page` as UTF-8. A byte that begins no character of the page shows as
/// U+FFFD, and the conversion goes on after it. Nothing when the page is not available.
std::optional<std::string> codePageToUtf8(int page, std::string_view bytes);

} // namespace dxf2csv::platform
