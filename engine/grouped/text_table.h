#pragma once
// The TEXT entities of the ENTITIES section, one row each.

#include "reading/field_value.h"

#include <vector>

namespace dxf2csv {

inline constexpr int kTableRows = 5000;

/// One TEXT entity: its handle (5), content (1), x (10), the Y of its first (20) and second
/// (21) alignment points and its vertical alignment (73/72).
struct TextRecord {
    FieldValue handle;
    FieldValue content;
    FieldValue x;
    FieldValue firstY;
    FieldValue secondY;
    FieldValue vAlign;

    /// The Y the ordering reads: the second alignment point's, where the text has one; else
    /// the first's, which is where a text aligned left on its baseline stands (it has no
    /// second point); absent (0) with neither.
    const FieldValue& rowY() const noexcept { return secondY.absent() ? firstY : secondY; }
};

/// Rows 1..n of captured TEXT entities; row 0 is never used.
class TextTable {
public:
    /// Rows 1..`rows`, all empty.
    explicit TextTable(int rows = kTableRows) : rows_(static_cast<std::size_t>(rows) + 1) {}

    int rows() const noexcept { return static_cast<int>(rows_.size()) - 1; }
    /// Row `number`, added (with the rows before it) when the table is shorter.
    TextRecord& rowToStore(int number) {
        if (number > rows()) rows_.resize(static_cast<std::size_t>(number) + 1);
        return row(number);
    }
    TextRecord& row(int number) { return rows_[static_cast<std::size_t>(number)]; }
    const TextRecord& row(int number) const { return rows_[static_cast<std::size_t>(number)]; }

private:
    std::vector<TextRecord> rows_;
};

} // namespace dxf2csv
