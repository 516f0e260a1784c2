#pragma once
// The language that the environment variables of the locale ask for, on every system.

#include <optional>
#include <string>

namespace dxf2csv::platform {

/// The first of LANGUAGE, LC_ALL, LC_MESSAGES and LANG that is set and not empty; nothing when
/// none is.
std::optional<std::string> languageFromEnvironment();

} // namespace dxf2csv::platform
