#pragma once
// UTF-8 to UTF-16 and back for the Windows calls, and the system's words for an error code.

#include <string>
#include <string_view>

namespace dxf2csv::platform {

/// `utf8` as UTF-16; a byte that is no UTF-8 becomes U+FFFD.
std::wstring widen(std::string_view utf8);

/// `wide` as UTF-8; a lone surrogate becomes U+FFFD.
std::string narrow(std::wstring_view wide);

/// The system's own words for the Win32 error `code`, in the user's language, without the
/// closing period and line end ("The system cannot find the file specified").
std::string systemMessage(unsigned long code);

} // namespace dxf2csv::platform
