#include "ruled/union_find.h"

#include <numeric>
#include <utility>

namespace dxf2csv::ruled {

UnionFind::UnionFind(std::size_t count) : parent_(count), size_(count, 1) {
    std::iota(parent_.begin(), parent_.end(), std::uint32_t{0});
}

std::uint32_t UnionFind::find(std::uint32_t i) noexcept {
    while (parent_[i] != i) {
        parent_[i] = parent_[parent_[i]];
        i = parent_[i];
    }
    return i;
}

bool UnionFind::unite(std::uint32_t a, std::uint32_t b) noexcept {
    a = find(a);
    b = find(b);
    if (a == b) return false;
    if (size_[a] < size_[b]) std::swap(a, b);
    parent_[b] = a;
    size_[a] += size_[b];
    return true;
}

} // namespace dxf2csv::ruled
