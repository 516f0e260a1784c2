#pragma once
// The size of the writing around a place on the sheet: the height of a text near it. Every
// tolerance of the finder is a fraction of a text height, because drawings are made in any
// unit and at any scale (texts 10 units high beside others 250 high).

#include "ruled/sheet.h"

#include <span>
#include <vector>

namespace dxf2csv::ruled {

/// The texts of a sheet in a 2-d tree, for finding a text near a point.
class TextScale {
public:
    /// Texts whose middle or height is not a finite number, or whose height is not above 0,
    /// are left out (they give no size).
    explicit TextScale(std::span<const SheetText> texts);

    bool empty() const noexcept { return nodes_.empty(); }

    /// The height of the text nearest `p`, or of one nearly as near: the search gives up
    /// after kMaxVisits nodes, which only texts crowded at one distance from `p` reach, so
    /// that no layout makes it slow. Not to be called when empty().
    double heightNear(Point p) const;

    /// How many nodes one search looks at, at most.
    static constexpr int kMaxVisits = 96;

private:
    struct Node {
        double x, y, height;
    };
    /// The box around the texts of a range of the tree.
    struct Bounds {
        double minX, minY, maxX, maxY;
    };
    /// Sets the boxes of the range [lo, hi) and of the ranges within it, and gives its box.
    Bounds boundRange(std::size_t lo, std::size_t hi);

    std::vector<Node> nodes_; ///< as a tree: the middle of each range splits it, on x at even depths
    /// The box of each range, at the place of the node that splits it: a search passes over a
    /// range whose box lies no nearer than the best text found, which the splitting plane alone
    /// cannot tell when the question lies far from every text.
    std::vector<Bounds> bounds_;
};

} // namespace dxf2csv::ruled
