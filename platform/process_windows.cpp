#include "platform/process.h"

#include "platform/user_language.h"
#include "platform/wide_text_windows.h"

#include <windows.h>
#include <shellapi.h>

namespace dxf2csv::platform {

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    // The narrow argv holds the arguments in the system's ANSI code page, where a name outside
    // it has already become "?": the wide command line holds them whole.
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) args.push_back(narrow(wide[i]));
    LocalFree(wide);
    return args;
}

bool isSystemHelpSwitch(std::string_view arg) { return arg == "/?"; }

bool userWantsJapanese() {
    if (const auto language = languageFromEnvironment()) return language->starts_with("ja");
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
}

} // namespace dxf2csv::platform
