#pragma once
// The process's standard output and error (standard input is read as an InputFile).

#include "platform/system_error.h"

#include <string_view>

namespace dxf2csv::platform {

enum class StandardStream { Output, Error };

/// Text for a person, in UTF-8: to a Windows console as its characters (a console does not
/// take UTF-8 bytes), anywhere else as the UTF-8 bytes.
SystemError printText(StandardStream stream, std::string_view utf8);

/// Bytes as they are, without any line-end translation (a CSV written to standard output).
SystemError writeBytes(StandardStream stream, std::string_view bytes);

} // namespace dxf2csv::platform
