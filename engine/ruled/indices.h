#pragma once
// The numbers the finder gives pieces, texts and cells: 32 bits, since a sheet holds fewer than
// 4 billion of each, and half the memory of a size_t where millions are sorted.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <utility>
#include <vector>

namespace dxf2csv::ruled {

using Index = std::uint32_t;

/// 0, 1, ..., count - 1: an order to sort.
inline std::vector<Index> indices(std::size_t count) {
    std::vector<Index> order(count);
    std::iota(order.begin(), order.end(), Index{0});
    return order;
}

/// Indices 0, 1, ..., count - 1 sorted by key(index) with std::sort: in the very order that
/// std::sort(indices(count), by key) gives, ties too (std::sort's moves follow its comparisons
/// alone, and these compare the same keys), but each key is worked out and read once, next to
/// its index, instead of at every comparison from wherever its item lies.
template <class Key>
std::vector<Index> indicesByKey(std::size_t count, Key key) {
    std::vector<std::pair<double, Index>> keyed(count);
    for (std::size_t k = 0; k < count; ++k) keyed[k] = {key(static_cast<Index>(k)), static_cast<Index>(k)};
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Index> order(count);
    for (std::size_t k = 0; k < count; ++k) order[k] = keyed[k].second;
    return order;
}

} // namespace dxf2csv::ruled
