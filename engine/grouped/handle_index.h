#pragma once
// The captured TEXT rows by handle, so that a GROUP's member is found without a scan.

#include "grouped/text_table.h"

#include <string_view>
#include <unordered_map>
#include <vector>

namespace dxf2csv {

/// Rows 1..limit of the TextTable by handle, each handle's rows in row order (an absent handle
/// is filed under the empty text), exactly the rows a scan of 1..limit would find.
class HandleIndex {
public:
    /// Builds the index when it is stale or was built for another limit.
    void prepare(const TextTable& table, int limit);
    void invalidate() noexcept { builtFor_ = -1; }
    /// The first row holding `handle`, or 0.
    int first(std::string_view handle) const;
    /// The row after `row` that holds the same handle, or 0.
    int next(int row) const { return next_[static_cast<std::size_t>(row)]; }

private:
    std::unordered_map<std::string_view, int> first_;
    std::vector<int> next_;
    int builtFor_ = -1;
};

} // namespace dxf2csv
