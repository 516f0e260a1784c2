#pragma once
// The dxf2csv command line, apart from main so that tests can drive it in-process.

#include "messages/messages.h"
#include "terminal.h"

#include <string>
#include <vector>

namespace dxf2csv {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitRunFailed = 1;
inline constexpr int kExitUsage = 2;

/// Runs `dxf2csv ARGS...`: reports to standard output (to standard error when the CSV goes to
/// standard output), failures and usage errors to standard error, all in `language`.
/// Returns the exit status.
int runCommandLine(const std::vector<std::string>& args, Terminal& terminal, Language language = Language::English);

} // namespace dxf2csv
