#pragma once
// Whether two paths name one file.

#include <string>

namespace dxf2csv::platform {

/// True when both paths (UTF-8) name one existing file, also through links or another spelling.
bool sameFile(const std::string& a, const std::string& b);

} // namespace dxf2csv::platform
