#pragma once
// The order in which a sheet's tables are read.

#include "ruled/table.h"

#include <vector>

namespace dxf2csv::ruled {

/// Puts tables in reading order: by their top edge, from the top of the sheet down; tables
/// whose tops lie within the height of one row of the lower one (its top row) stand side by
/// side and go from left to right. A band of such tables is gathered from its highest table
/// down. A table without row edges goes last, in the order given; one without column edges
/// counts as standing at the far left.
void orderTables(std::vector<Table>& tables);

} // namespace dxf2csv::ruled
