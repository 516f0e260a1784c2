// sortSegments and joinRules: which segments are rules, and how pieces become whole rules.

#include "ruled/rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace dxf2csv::ruled {
namespace {

TEST(SortSegments, RulesAreWithinOneDegreeOfAnAxis) {
    const double in = std::tan(0.99 * std::numbers::pi / 180), out = std::tan(1.01 * std::numbers::pi / 180);
    const std::vector<Segment> segments = {
        {{0, 0}, {100, 100 * in}},  // horizontal
        {{5, 100}, {5 + 100 * in, 0}}, // vertical
        {{0, 0}, {100, 100 * out}}, // slanted
        {{3, 3}, {3, 3}},           // nothing
        {{0, 0}, {INFINITY, 0}},    // nothing
        {{-1e308, 0}, {1e308, 1}},  // its length is no double: nothing
    };
    const SortedSegments sorted = sortSegments(segments);
    ASSERT_EQ(sorted.horizontal.size(), 1u);
    EXPECT_DOUBLE_EQ(sorted.horizontal[0].at, 50 * in);
    EXPECT_EQ(sorted.horizontal[0].lo, 0);
    EXPECT_EQ(sorted.horizontal[0].hi, 100);
    ASSERT_EQ(sorted.vertical.size(), 1u);
    EXPECT_EQ(sorted.vertical[0].lo, 0);
    EXPECT_EQ(sorted.vertical[0].hi, 100);
    ASSERT_EQ(sorted.slanted.size(), 1u);
    EXPECT_DOUBLE_EQ(sorted.slanted[0].x, 50);
}

TEST(JoinRules, JoinsPiecesIntoLinesAndRules) {
    struct Case {
        const char* name;
        std::vector<Piece> pieces;
        std::vector<double> positions;
        std::vector<std::vector<double>> rules; // line, lo, hi
    };
    const Case cases[] = {
        {"gaps within near join, beyond it not",
         {{0, 0, 10}, {0, 10.4, 20}, {0, 21, 30}}, {0}, {{0, 0, 20}, {0, 21, 30}}},
        {"overlaps and pieces inside others", {{0, 0, 10}, {0, 2, 3}, {0, 8, 15}}, {0}, {{0, 0, 15}}},
        {"a line drawn twice stands where its longest piece does",
         {{5.3, 0, 2}, {5, 0, 30}, {5.4, 28, 30}}, {5}, {{0, 0, 30}}},
        {"lines further apart than near stay two", {{0, 0, 10}, {0.6, 0, 10}}, {0, 0.6}, {{0, 0, 10}, {1, 0, 10}}},
        {"a line is measured from its lowest piece, not chained",
         {{0, 0, 10}, {0.4, 0, 10}, {0.8, 0, 20}}, {0, 0.8}, {{0, 0, 10}, {1, 0, 20}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Piece> pieces = c.pieces;
        std::vector<double> positions;
        std::vector<Rule> rules;
        joinRules(pieces, 0.5, positions, rules);
        EXPECT_EQ(positions, c.positions);
        std::vector<std::vector<double>> got;
        for (const Rule& r : rules) got.push_back({static_cast<double>(r.line), r.lo, r.hi});
        EXPECT_EQ(got, c.rules);
    }
}

} // namespace
} // namespace dxf2csv::ruled
