// findCells against a brute-force reading of random small grids, and findTables on the same
// grids; and what counts as a parting line.

#include "ruled/cell_grid.h"
#include "ruled/table.h"
#include "ruled_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace dxf2csv::ruled {
namespace {

constexpr double kUnit = 10;

/// A lattice of w x h units whose unit edges are drawn whole, drawn as a stub half their
/// length from one end, or not drawn.
struct Lattice {
    enum Edge { kNone, kWhole, kStub };
    int w = 0, h = 0;
    std::vector<Edge> across; ///< along horizontal line j, the edge over column i: [j * w + i]
    std::vector<Edge> up;     ///< along vertical line i, the edge beside row j: [i * h + j]

    Edge& acrossAt(int i, int j) { return across[static_cast<std::size_t>(j * w + i)]; }
    Edge& upAt(int i, int j) { return up[static_cast<std::size_t>(i * h + j)]; }

    void draw(std::vector<Piece>& horizontal, std::vector<Piece>& vertical) {
        for (int j = 0; j <= h; ++j)
            for (int i = 0; i < w; ++i)
                if (acrossAt(i, j) != kNone)
                    horizontal.push_back({j * kUnit, i * kUnit, (i + (acrossAt(i, j) == kWhole ? 1 : 0.5)) * kUnit});
        for (int i = 0; i <= w; ++i)
            for (int j = 0; j < h; ++j)
                if (upAt(i, j) != kNone)
                    vertical.push_back({i * kUnit, (j + (upAt(i, j) == kStub ? 0.5 : 0)) * kUnit, (j + 1) * kUnit});
    }

    /// The rectangles (x0, y0, x1, y1 in units) whose outline is drawn whole and inside which
    /// nothing is drawn, found by trying every one.
    std::set<std::tuple<int, int, int, int>> cells() {
        std::set<std::tuple<int, int, int, int>> found;
        for (int x0 = 0; x0 < w; ++x0)
            for (int x1 = x0 + 1; x1 <= w; ++x1)
                for (int y0 = 0; y0 < h; ++y0)
                    for (int y1 = y0 + 1; y1 <= h; ++y1) {
                        bool cell = true;
                        for (int i = x0; i < x1; ++i)
                            cell = cell && acrossAt(i, y0) == kWhole && acrossAt(i, y1) == kWhole;
                        for (int j = y0; j < y1; ++j)
                            cell = cell && upAt(x0, j) == kWhole && upAt(x1, j) == kWhole;
                        for (int i = x0; i < x1; ++i)
                            for (int j = y0 + 1; j < y1; ++j) cell = cell && acrossAt(i, j) == kNone;
                        for (int i = x0 + 1; i < x1; ++i)
                            for (int j = y0; j < y1; ++j) cell = cell && upAt(i, j) == kNone;
                        if (cell) found.insert({x0, y0, x1, y1});
                    }
        return found;
    }
};

class Random {
public:
    explicit Random(unsigned seed) : seed_(seed) {}
    int below(int n) {
        seed_ = seed_ * 1103515245u + 12345u;
        return static_cast<int>((seed_ >> 8) % static_cast<unsigned>(n));
    }

private:
    unsigned seed_;
};

/// A random lattice: all edges drawn, some merged rectangles emptied, and, unless `tiling`,
/// some interior edges taken away or left as stubs and now and then an outline edge missing.
Lattice randomLattice(Random& random, bool tiling) {
    Lattice l;
    l.w = 1 + random.below(6);
    l.h = 1 + random.below(6);
    l.across.assign(static_cast<std::size_t>(l.w * (l.h + 1)), Lattice::kWhole);
    l.up.assign(static_cast<std::size_t>((l.w + 1) * l.h), Lattice::kWhole);
    std::vector<std::vector<bool>> merged(static_cast<std::size_t>(l.w), std::vector<bool>(static_cast<std::size_t>(l.h)));
    for (int m = random.below(4); m > 0; --m) {
        const int x0 = random.below(l.w), y0 = random.below(l.h);
        const int x1 = x0 + 1 + random.below(l.w - x0), y1 = y0 + 1 + random.below(l.h - y0);
        bool free = true;
        for (int i = x0; i < x1; ++i)
            for (int j = y0; j < y1; ++j) free = free && !merged[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
        if (!free) continue;
        for (int i = x0; i < x1; ++i)
            for (int j = y0; j < y1; ++j) {
                merged[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = true;
                if (j > y0) l.acrossAt(i, j) = Lattice::kNone;
                if (i > x0) l.upAt(i, j) = Lattice::kNone;
            }
    }
    if (tiling) return l;
    auto spoil = [&](Lattice::Edge& e, bool outline) {
        const int roll = random.below(outline ? 40 : 8);
        if (roll == 0) e = Lattice::kNone;
        if (roll == 1 && !outline) e = e == Lattice::kNone ? Lattice::kStub : Lattice::kNone;
    };
    for (int j = 0; j <= l.h; ++j)
        for (int i = 0; i < l.w; ++i) spoil(l.acrossAt(i, j), j == 0 || j == l.h);
    for (int i = 0; i <= l.w; ++i)
        for (int j = 0; j < l.h; ++j) spoil(l.upAt(i, j), i == 0 || i == l.w);
    return l;
}

TEST(FindCells, AgreesWithTryingEveryRectangle) {
    Random random(2024);
    CellGridScratch scratch;
    for (int round = 0; round < 3000; ++round) {
        Lattice l = randomLattice(random, round % 3 == 0);
        std::vector<Piece> horizontal, vertical;
        l.draw(horizontal, vertical);
        const auto expected = l.cells();
        const auto grid = findCells(horizontal, vertical, 0.2 * kUnit, 1000, scratch);
        ASSERT_TRUE(grid.has_value());
        std::set<std::tuple<int, int, int, int>> found;
        for (const GridCell& c : grid->cells) {
            auto at = [](const std::vector<double>& p, int k) {
                return static_cast<int>(std::lround(p[static_cast<std::size_t>(k)] / kUnit));
            };
            found.insert({at(grid->xs, c.x0), at(grid->ys, c.y0), at(grid->xs, c.x1), at(grid->ys, c.y1)});
        }
        ASSERT_EQ(found, expected) << "round " << round << ", " << l.w << " x " << l.h;
    }
}

TEST(FindCells, FindTablesTakesTheCellsOfARandomTable) {
    // With a text in every unit, the cells findTables gives are the cells the brute force
    // finds; when the merges tile the whole lattice they are one table of all of them.
    Random random(77);
    for (int round = 0; round < 1500; ++round) {
        const bool tiling = round % 2 == 0;
        Lattice l = randomLattice(random, tiling);
        std::vector<Piece> horizontal, vertical;
        l.draw(horizontal, vertical);
        Sheet s;
        for (const Piece& p : horizontal) test::line(s, p.lo, p.at, p.hi, p.at);
        for (const Piece& p : vertical) test::line(s, p.at, p.lo, p.at, p.hi);
        for (int i = 0; i < l.w; ++i)
            for (int j = 0; j < l.h; ++j) test::text(s, (i + 0.5) * kUnit, (j + 0.5) * kUnit, "t", 3);
        const auto expected = l.cells();
        std::set<std::tuple<int, int, int, int>> found;
        const auto tables = findTables(s);
        for (const Table& t : tables)
            for (const Cell& c : t.cells) {
                auto x = [&](int k) { return static_cast<int>(std::lround(t.xs[static_cast<std::size_t>(k)] / kUnit)); };
                auto y = [&](int k) { return static_cast<int>(std::lround(t.ys[static_cast<std::size_t>(k)] / kUnit)); };
                const std::tuple<int, int, int, int> cell{x(c.column), y(c.row + c.rows), x(c.column + c.columns), y(c.row)};
                ASSERT_TRUE(expected.count(cell)) << "round " << round << ": not a cell";
                ASSERT_TRUE(found.insert(cell).second) << "round " << round << ": found twice";
                ASSERT_EQ(c.texts, (std::get<2>(cell) - std::get<0>(cell)) * (std::get<3>(cell) - std::get<1>(cell)));
            }
        if (tiling && expected.size() >= 2) {
            ASSERT_EQ(tables.size(), 1u) << "round " << round;
            ASSERT_EQ(found, expected) << "round " << round;
        }
    }
}

TEST(FindCells, PartingLinesAreThoseThatPartRegions) {
    struct Case {
        const char* name;
        std::vector<Segment> segments;
        int cells;
        int partingLines;
    };
    const Case cases[] = {
        {"a box", {{{0, 0}, {10, 0}}, {{0, 10}, {10, 10}}, {{0, 0}, {0, 10}}, {{10, 0}, {10, 10}}}, 1, 4},
        {"a box with a tick hanging out of it and one into it",
         {{{0, 0}, {10, 0}}, {{0, 10}, {10, 10}}, {{0, 0}, {0, 10}}, {{10, 0}, {10, 10}}, {{5, 0}, {5, -4}},
          {{3, 10}, {3, 6}}, {{-20, 2}, {0, 2}}},
         0, 4},
        {"two boxes side by side",
         {{{0, 0}, {20, 0}}, {{0, 10}, {20, 10}}, {{0, 0}, {0, 10}}, {{10, 0}, {10, 10}}, {{20, 0}, {20, 10}}}, 2, 5},
        {"an open box", {{{0, 0}, {10, 0}}, {{0, 10}, {10, 10}}, {{0, 0}, {0, 10}}, {{10, 0}, {10, 6}}}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Piece> horizontal, vertical;
        for (const Segment& s : c.segments) {
            if (s.a.y == s.b.y) horizontal.push_back({s.a.y, std::min(s.a.x, s.b.x), std::max(s.a.x, s.b.x)});
            else vertical.push_back({s.a.x, std::min(s.a.y, s.b.y), std::max(s.a.y, s.b.y)});
        }
        CellGridScratch scratch;
        const auto grid = findCells(horizontal, vertical, 0.5, 1000, scratch);
        ASSERT_TRUE(grid.has_value());
        EXPECT_EQ(static_cast<int>(grid->cells.size()), c.cells);
        EXPECT_EQ(grid->partingLines, c.partingLines);
    }
}

TEST(FindCells, AGridLargerThanAllowedIsLeftOut) {
    std::vector<Piece> horizontal, vertical;
    for (int k = 0; k <= 100; ++k) {
        horizontal.push_back({k * 1.0, 0, 100});
        vertical.push_back({k * 1.0, 0, 100});
    }
    CellGridScratch scratch;
    EXPECT_FALSE(findCells(horizontal, vertical, 0.1, 9999, scratch).has_value());
    const auto grid = findCells(horizontal, vertical, 0.1, 10000, scratch);
    ASSERT_TRUE(grid.has_value());
    EXPECT_EQ(grid->cells.size(), 10000u);
}

} // namespace
} // namespace dxf2csv::ruled
