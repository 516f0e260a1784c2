#pragma once
// The numbers the finder gives pieces, texts and cells: 32 bits, since a sheet holds fewer than
// 4 billion of each, and half the memory of a size_t where millions are sorted.

#include <cstddef>
#include <cstdint>
#include <numeric>
#include <vector>

namespace dxf2csv::ruled {

using Index = std::uint32_t;

/// 0, 1, ..., count - 1: an order to sort.
inline std::vector<Index> indices(std::size_t count) {
    std::vector<Index> order(count);
    std::iota(order.begin(), order.end(), Index{0});
    return order;
}

} // namespace dxf2csv::ruled
