#pragma once
// An ordered set of the whole numbers below a bound, at about one bit per number: the
// ordered set that the sweeps over sorted rules keep, without a tree node per member.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dxf2csv::ruled {

/// A set of 0..bound-1 as a 64-way tree of bit masks: insert, erase, next and previous member
/// each take a few word operations per level (four levels hold four billion numbers).
class IndexSet {
public:
    explicit IndexSet(std::size_t bound);

    std::size_t bound() const noexcept { return bound_; }
    bool contains(std::size_t i) const noexcept;
    /// `i` < bound().
    void insert(std::size_t i) noexcept;
    /// `i` < bound().
    void erase(std::size_t i) noexcept;
    /// The smallest member >= i, or bound() when there is none.
    std::size_t next(std::size_t i) const noexcept;
    /// The largest member < i, or bound() when there is none.
    std::size_t previous(std::size_t i) const noexcept;

private:
    std::size_t bound_;
    /// levels_[0] holds the members; a bit of levels_[k + 1] says that word of levels_[k] is not 0.
    std::vector<std::vector<std::uint64_t>> levels_;
};

} // namespace dxf2csv::ruled
