#pragma once
// What a cell says when it holds several texts.

#include "ruled/sheet.h"

#include <span>
#include <string>

namespace dxf2csv::ruled {

/// The texts of one cell as one string: texts whose first lines stand at one height (their
/// middles' y within half the smaller height of the two) form a line, read left to right and
/// joined by a space; lines are read top to bottom and joined by "\n". Each text is kept as it
/// is, its blanks and its own "\n" included; empty texts add nothing. Reorders `texts`.
std::string joinCellText(std::span<const SheetText*> texts);

} // namespace dxf2csv::ruled
