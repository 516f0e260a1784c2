#include "grouped/handle_index.h"

namespace dxf2csv {

void HandleIndex::prepare(const TextTable& table, int limit) {
    if (builtFor_ == limit) return;
    first_.clear();
    next_.assign(static_cast<std::size_t>(limit > 0 ? limit : 0) + 1, 0);
    // Backwards, so that each handle's chain runs in row order.
    for (int row = limit; row >= 1; --row) {
        int& head = first_[table.row(row).handle.text()];
        next_[static_cast<std::size_t>(row)] = head;
        head = row;
    }
    builtFor_ = limit;
}

int HandleIndex::first(std::string_view handle) const {
    const auto found = first_.find(handle);
    return found == first_.end() ? 0 : found->second;
}

} // namespace dxf2csv
