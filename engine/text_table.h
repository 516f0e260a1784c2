#pragma once
// The TEXT entities of the ENTITIES section, one row each, and the capture step that fills
// the rows pair by pair.

#include "field_value.h"
#include "group_codes.h"

#include <vector>

namespace dxf2csv {

struct RunContext;
struct WindowState;

inline constexpr int kTableRows = 5000;

/// One TEXT entity: its handle (5), content (1), x (10), y (21), the Y of its first alignment
/// point (20) and its vertical alignment (73/72).
struct TextRecord {
    FieldValue handle;
    FieldValue content;
    FieldValue x;
    FieldValue y;
    FieldValue firstY;
    FieldValue vAlign;

    /// The height the ordering reads: y (21), where the text has one; else the first
    /// alignment point's (20), which is where a text aligned left on its baseline stands (it
    /// has no second point); absent (0) with neither.
    const FieldValue& height() const noexcept { return y.absent() ? firstY : y; }
};

/// Rows 1..5000 of captured TEXT entities; row 0 is never used.
class TextTable {
public:
    TextTable() : rows_(kTableRows + 1) {}

    TextRecord& row(int number) { return rows_[static_cast<std::size_t>(number)]; }
    const TextRecord& row(int number) const { return rows_[static_cast<std::size_t>(number)]; }
    /// Empties every row that has been written since the last clear.
    void clear();
    /// Marks row `number` as written (so clear() reaches it).
    void touch(int number) {
        if (number > highest_) highest_ = number;
    }

private:
    std::vector<TextRecord> rows_;
    int highest_ = 0;
};

/// Handles one pair (state.groupCode, state.currentLine) inside ENTITIES. A (0, TEXT...) pair
/// opens the next row; while `textFlag` holds, groups 5, 1, 10, 20, 21 and 73 are stored as read
/// and a 72 of 4 stores the number 2 in vAlign.
/// Throws RunFailure: NumberOutOfRange past 32767 TEXTs, RowOutOfRange for a store into row
/// 5001, NotANumber for a 72 value that is no number.
void CaptureTextField(WindowState& state, bool& textFlag, const RunContext& context);

/// Whether CaptureTextField can change anything for a pair: most pairs of ENTITIES belong to
/// other entities, and the scan lets them go without a call.
constexpr bool capturesPair(int groupCode, bool textFlag) noexcept { return textFlag || groupCode == kCodeEntity; }

} // namespace dxf2csv
