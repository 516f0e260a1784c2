#pragma once
// An AutoCAD table (ACAD_TABLE) read from its own data: its rows, columns, merged cells and
// cell texts.

#include "ruled/sheet.h"
#include "ruled/value_reading.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dxf2csv {
class TextDecoder;
}

namespace dxf2csv::ruled {

/// Reads one ACAD_TABLE pair by pair. Before its AcDbTable subclass marker it is a block
/// reference: the block that draws it (2) and its insertion point (10/20). After it: the
/// direction of its rows (11/21), its row and column counts (91/92), row heights (141), column
/// widths (142), then each cell from its 171: the columns and rows a merged cell spans
/// (175/176) and its text (pieces in 2 or 3, then 1; from AutoCAD 2007 on the value as shown,
/// 302, which wins). Counts and flags that recur inside the cells (91, 92, 173, ...) are not
/// the table's.
class TableEntity {
public:
    void reset();
    void take(int code, std::string_view value, std::int64_t line, const ValueReader& values);

    const std::string& blockName() const { return blockName_; }
    Point insertion() const { return insertion_; }
    /// The direction of the table's rows; (1, 0) when none is written.
    Point direction() const { return direction_; }

    /// The table in its own frame: its top-left corner at (0, 0), columns to +X and rows down
    /// to -Y. Nothing when its data does not make a table: counts missing or not matching the
    /// heights, widths or cells written, a size that is not positive, merged cells that leave
    /// the grid or overlap.
    std::optional<GivenTable> table(const TextDecoder& decoder, std::int64_t line) const;

private:
    struct CellData {
        int columns = 1;
        int rows = 1;
        std::string text;   ///< pieces and the 1, as written
        std::string shown;  ///< 302, as written
    };

    bool inTable_ = false;
    bool countsRead_ = true;
    std::string blockName_;
    Point insertion_;
    Point direction_ = {1, 0};
    double pendingX_ = 0;
    double rows_ = 0;
    double columns_ = 0;
    std::vector<double> heights_;
    std::vector<double> widths_;
    std::vector<CellData> cells_;
};

} // namespace dxf2csv::ruled
