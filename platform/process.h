#pragma once
// What the process was started with: its arguments and the user's language.

#include <string>
#include <string_view>
#include <vector>

namespace dxf2csv::platform {

/// The arguments after the program's name, in UTF-8 (on Windows from the wide command line,
/// so that names outside the system's code page arrive whole).
std::vector<std::string> commandLineArguments(int argc, char** argv);

/// Whether `arg` asks for help as the system's own commands take it: "/?" on Windows, nothing
/// elsewhere (where "/?" names a file).
bool isSystemHelpSwitch(std::string_view arg);

/// True when messages should be in Japanese: the first of LANGUAGE, LC_ALL, LC_MESSAGES and
/// LANG that is set and not empty begins with "ja"; on Windows, with none of them set, when the
/// user's display language is Japanese.
bool userWantsJapanese();

} // namespace dxf2csv::platform
