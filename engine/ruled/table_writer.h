#pragma once
// The tables found by their rules, as rows of the output and report lines.

#include "ruled/table.h"

#include <string>
#include <vector>

namespace dxf2csv {
struct RunContext;
}

namespace dxf2csv::ruled {

/// Writes the tables one after the other: one row per grid row from the top, one cell per grid
/// column from the left, a merged cell's text in the top-left grid cell of its span, the others
/// of the span empty and the span merged (where the output knows merged cells). Adds the report line of each table
/// (numbered from 1), or the line that there is none. Returns how many texts the tables hold.
/// Throws RunFailure: OutputCannotBeWritten, and NotInCodePage for a character the CSV's
/// encoding lacks.
int writeRuledTables(const std::vector<Table>& tables, const RunContext& context);

} // namespace dxf2csv::ruled
