#pragma once
// The system's own words for the failures that tests provoke, as a failure message quotes them:
// strerror's on POSIX, FormatMessage's on Windows.

#include <string>

namespace dxf2csv::test {

enum class SystemCondition { NoSuchFile, DiskFull, InputOutputError };

std::string systemWords(SystemCondition condition);

} // namespace dxf2csv::test
