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
    std::vector<Node> nodes_; ///< as a tree: the middle of each range splits it, on x at even depths
};

} // namespace dxf2csv::ruled
