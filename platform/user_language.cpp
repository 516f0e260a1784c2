#include "platform/user_language.h"

#include <cstdlib>

namespace dxf2csv::platform {

std::optional<std::string> languageFromEnvironment() {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return std::string(value);
    }
    return std::nullopt;
}

} // namespace dxf2csv::platform
