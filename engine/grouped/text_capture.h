#pragma once
// The capture step of the ENTITIES section: fills one TextTable row per TEXT, pair by pair.

#include "reading/group_codes.h"
#include "reading/pair.h"

namespace dxf2csv {

struct GroupedTables;
struct RunContext;

class TextCapture {
public:
    /// Handles one pair inside ENTITIES. A (0, TEXT...) pair opens the next row; while a TEXT
    /// is open, groups 5, 1, 10, 20, 21 and 73 are stored as read and a 72 of 4 stores the
    /// number 2 in vAlign.
    /// Throws RunFailure: NumberOutOfRange past 32767 TEXTs, RowOutOfRange for a store into row
    /// 5001, NotANumber for a 72 value that is no number.
    void step(GroupedTables& tables, const Pair& pair, const RunContext& context);

    /// Whether a TEXT is open, so that its pairs are stored.
    bool capturing() const noexcept { return capturing_; }
    /// Whether step() can change anything for a pair with this code: most pairs of ENTITIES
    /// belong to other entities, and the scan lets them go without a call.
    bool wants(int groupCode) const noexcept { return capturing_ || groupCode == kCodeEntity; }

private:
    bool capturing_ = false;
};

} // namespace dxf2csv
