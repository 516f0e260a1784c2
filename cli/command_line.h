#pragma once
// The dxf2csv command line, apart from main so that tests can drive it in-process.

#include "terminal.h"

#include <string>
#include <vector>

namespace dxf2csv {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitRunFailed = 1;
inline constexpr int kExitUsage = 2;

/// Runs `dxf2csv ARGS...`: reports to standard output, failures and usage errors to standard
/// error. Returns the exit status.
int runCommandLine(const std::vector<std::string>& args, Terminal& terminal);

} // namespace dxf2csv
