#pragma once
// Disjoint sets over 0..n-1, for joining rules and cells into the groups they form.

#include <cstdint>
#include <vector>

namespace dxf2csv::ruled {

/// Union by size with path halving: any sequence of operations is nearly linear, and nothing
/// recurses.
class UnionFind {
public:
    explicit UnionFind(std::size_t count);

    std::uint32_t find(std::uint32_t i) noexcept;
    /// Returns whether a and b were apart.
    bool unite(std::uint32_t a, std::uint32_t b) noexcept;

private:
    std::vector<std::uint32_t> parent_;
    std::vector<std::uint32_t> size_;
};

} // namespace dxf2csv::ruled
