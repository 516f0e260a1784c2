// The exchange passes against a plain reading of them (test::plainPasses).

#include "grouped/row_ordering.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <span>
#include <utility>
#include <vector>

namespace dxf2csv {
namespace {

/// Both passes at once: the order of the members with these numbers (slot k holds member
/// result[k]).
std::vector<int> orderRows(std::span<const double> x, std::span<const double> y, double tolerance) {
    RowOrdering ordering;
    ordering.topToBottom(y, tolerance);
    std::vector<double> xBySlot(x.size());
    for (std::size_t k = 0; k < x.size(); ++k) xBySlot[k] = x[static_cast<std::size_t>(ordering.order()[k])];
    ordering.leftToRight(xBySlot, tolerance);
    return {ordering.order().begin(), ordering.order().end()};
}

TEST(RowOrdering, ExamplesThatOnlyTheExactPassesGive) {
    struct Case {
        const char* name;
        std::vector<double> x, y;
        double t;
        std::vector<int> order;
    };
    const Case cases[] = {
        {"a grid listed backwards", {50, 0, 50, 0}, {0, 0, 100, 100}, 10, {3, 2, 1, 0}},
        // Pass 1 exchanges B and C (A, C, B); pass 2 A and C, then A and B (C, B, A).
        {"a chain", {10, 0, 5}, {50, 0, 120}, 100, {2, 1, 0}},
        {"exactly the tolerance apart is no exchange", {50, 0}, {0, 100}, 100, {0, 1}},
        {"no exchange in pass 2 at a tolerance of 0", {5, 0}, {0, 0}, 0, {0, 1}},
        {"a negative tolerance still orders by height", {0, 0}, {0, 10}, -5, {1, 0}},
        {"beyond 64-bit integers", {0, 0, 0}, {-1e19, 3e19, 1e300}, 100, {2, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(orderRows(c.x, c.y, c.t), c.order);
        EXPECT_EQ(test::plainPasses(c.x, c.y, c.t), c.order);
    }
}

TEST(RowOrdering, MatchesThePlainPassesOnRandomTables) {
    unsigned seed = 4242;
    auto random = [&](unsigned limit) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % limit;
    };
    for (int round = 0; round < 500; ++round) {
        const std::size_t n = 1 + random(60);
        const double t = static_cast<double>(random(6)) * 40 - 40; // -40 .. 160
        std::vector<double> x(n), y(n);
        for (std::size_t k = 0; k < n; ++k) {
            // Rows 120 apart with jitter that makes chains; now and then a coordinate past what
            // integers hold, which the passes must compare as it is.
            x[k] = random(12) == 0 ? (random(2) ? 1e19 : -3e18) * (1 + random(3)) : std::floor(random(2000) / 4.0);
            y[k] = random(15) == 0 ? 1e18 * random(20) : static_cast<double>(random(8)) * 120 + random(60) - 30;
        }
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_EQ(orderRows(x, y, t), test::plainPasses(x, y, t));
    }
}

} // namespace
} // namespace dxf2csv
