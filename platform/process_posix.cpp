#include "platform/process.h"

#include "platform/user_language.h"

namespace dxf2csv::platform {

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

bool isSystemHelpSwitch(std::string_view) { return false; }

bool userWantsJapanese() { return languageFromEnvironment().value_or("").starts_with("ja"); }

} // namespace dxf2csv::platform
