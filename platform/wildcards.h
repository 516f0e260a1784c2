#pragma once
// Drawing names with wildcards, as the system leaves them to a program.

#include <string>
#include <vector>

namespace dxf2csv::platform {

/// The files that the drawing argument `arg` names. On Windows, whose shell passes wildcards on
/// as written, a last part holding * or ? is matched against the files of its folder (sorted by
/// name, the folder kept as written: "図面\*.dxf" gives "図面\a.dxf", ...); elsewhere the shell
/// has expanded them and every name stands for itself. Empty when a pattern matches no file.
std::vector<std::string> filesNamedBy(const std::string& arg);

} // namespace dxf2csv::platform
