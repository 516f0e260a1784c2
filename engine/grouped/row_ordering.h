#pragma once
// The two exchange passes that order a group's members into rows: top to bottom, then left to
// right within a row. They are carried out exactly, comparison by comparison, on whole
// numbers: values within the tolerance of each other form chains that are no ordering, and the
// result depends on the exact sequence of exchanges.

#include <cstdint>
#include <span>
#include <vector>

namespace dxf2csv {

/// The passes over members 0..n-1, one pass at a time, so that a caller can read the x values
/// in the order pass 1 left (a value that is no number fails at the first comparison that
/// reads it). Holds its working memory between groups, so ordering allocates nothing once it
/// has seen the largest group.
class RowOrdering {
public:
    /// Pass 1. For i = 0..n-2 and then j = i+1..n-1, the members in slots i and j are
    /// exchanged when |Y(i) - Y(j)| > tolerance and Y(i) < Y(j): higher on the sheet first.
    /// `y[m]` is member m's Y.
    void topToBottom(std::span<const double> y, double tolerance);

    /// Pass 2, after pass 1: slots i and j are exchanged when X(i) > X(j) and
    /// |Y(i) - Y(j)| < tolerance. `x[k]` is the x of the member that pass 1 left in slot k.
    void leftToRight(std::span<const double> x, double tolerance);

    /// Slot k holds member order()[k].
    std::span<const int> order() const noexcept { return {order_.data(), order_.size()}; }
    /// The Y of the member in slot k.
    double y(std::size_t k) const noexcept { return y_[k]; }

private:
    std::vector<int> order_;
    std::vector<double> y_; ///< by slot
    std::vector<double> x_; ///< by slot
    std::vector<std::int64_t> wholeX_;
    std::vector<std::int64_t> wholeY_;
};

} // namespace dxf2csv
