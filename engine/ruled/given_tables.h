#pragma once
// The tables a drawing states as tables (ACAD_TABLE), taken as they stand.

#include "ruled/table.h"

namespace dxf2csv::ruled {

/// The table as it stands: its edges and cells copied (cells by row, then column); a cell
/// with a text counts as holding one text.
Table tableFromGiven(const GivenTable& given);

} // namespace dxf2csv::ruled
