#include "ruled/regularity.h"

#include <cstdint>

namespace dxf2csv::ruled {

bool ruledLikeATable(int partingLines, int filledCells) {
    return std::int64_t{partingLines} <= std::int64_t{kPartingLinesPerFilledCell} * filledCells + kSpareLines;
}

} // namespace dxf2csv::ruled
