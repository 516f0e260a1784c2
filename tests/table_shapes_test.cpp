// tableShapes: rectangles of cells that share edges, cut where the outline changes.

#include "ruled/table_shapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace dxf2csv::ruled {
namespace {

/// The shapes as sorted lists of cell indices, sorted: "0,1 2,3".
std::string shapesOf(const std::vector<GridCell>& cells) {
    std::vector<std::string> names;
    for (auto shape : tableShapes(cells)) {
        std::sort(shape.begin(), shape.end());
        std::string name;
        for (auto k : shape) name += (name.empty() ? "" : ",") + std::to_string(k);
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    std::string all;
    for (const auto& n : names) all += (all.empty() ? "" : " ") + n;
    return all;
}

/// Cells of one unit each at the given (x, y).
std::vector<GridCell> units(std::initializer_list<std::pair<int, int>> at) {
    std::vector<GridCell> cells;
    for (auto [x, y] : at) cells.push_back({x, y, x + 1, y + 1});
    return cells;
}

TEST(TableShapes, CutsGroupsIntoRectangles) {
    struct Case {
        const char* name;
        std::vector<GridCell> cells;
        const char* shapes;
    };
    const Case cases[] = {
        {"a rectangle", units({{0, 0}, {1, 0}, {0, 1}, {1, 1}}), "0,1,2,3"},
        {"merged cells filling a rectangle", {{0, 0, 1, 2}, {1, 0, 3, 1}, {1, 1, 2, 2}, {2, 1, 3, 2}}, "0,1,2,3"},
        {"cells apart, touching at a corner", units({{0, 0}, {1, 1}}), "0 1"},
        {"a narrower table on a wider one", units({{0, 0}, {1, 0}, {2, 0}, {1, 1}, {2, 1}}), "0,1,2 3,4"},
        {"a ring around a hole", units({{0, 0}, {1, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}}),
         "0,1,2 3 4 5,6,7"},
        {"an L whose corner cell crosses the step in rows", {{0, 0, 1, 2}, {1, 0, 2, 1}}, "0 1"},
        {"a pinwheel around a hole: no line cuts it", {{0, 0, 2, 1}, {2, 0, 3, 2}, {1, 2, 3, 3}, {0, 1, 1, 3}}, ""},
        {"a step in columns", units({{0, 0}, {0, 1}, {1, 1}}), "0 1,2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(shapesOf(c.cells), c.shapes);
    }
}

TEST(TableShapes, AStaircaseIsCutInRoundsThatStayLinear) {
    // Row r holds columns 0..r: every row its own rectangle.
    std::vector<GridCell> cells;
    for (int r = 0; r < 2000; ++r)
        for (int c = 0; c <= r % 50; ++c) cells.push_back({c, r, c + 1, r + 1});
    EXPECT_EQ(tableShapes(cells).size(), 2000u);
}

} // namespace
} // namespace dxf2csv::ruled
