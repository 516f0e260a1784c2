// orderTables: top down, side by side from the left.

#include "ruled/table_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dxf2csv::ruled {
namespace {

/// A table named by its one cell, at left x with top edge `top` and a top row `row` high.
Table named(const char* name, double x, double top, double row) {
    Table t;
    t.xs = {x, x + 10};
    t.ys = {top, top - row, top - 2 * row};
    t.cells = {{0, 0, 2, 1, name, 1}};
    return t;
}

TEST(OrderTables, ReadsTopDownThenLeftToRight) {
    struct Case {
        const char* name;
        std::vector<Table> tables;
        std::string order;
    };
    Table unplaced;
    unplaced.cells = {{0, 0, 1, 1, "unplaced", 1}};
    const Case cases[] = {
        {"one above the other", {named("low", 0, 10, 5), named("high", 50, 100, 5)}, "high low"},
        {"side by side, the right one a little lower", {named("right", 50, 98, 5), named("left", 0, 100, 5)},
         "left right"},
        {"the left one lower by less than its top row", {named("left", 0, 94, 7), named("right", 50, 100, 5)},
         "left right"},
        {"the left one lower by more than its top row", {named("left", 0, 94, 5), named("right", 50, 100, 7)},
         "right left"},
        {"the band's row is the lower table's", {named("right", 50, 93, 8), named("left", 0, 100, 2)}, "left right"},
        {"a band gathers from its highest table",
         {named("c", 20, 90, 6), named("b", 10, 95, 6), named("a", 0, 100, 10)}, "a b c"},
        {"no row edges go last", {unplaced, named("x", 0, -1e9, 1)}, "x unplaced"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Table> tables = c.tables;
        orderTables(tables);
        std::string order;
        for (const Table& t : tables) order += (order.empty() ? "" : " ") + t.cells[0].text;
        EXPECT_EQ(order, c.order);
    }
}

} // namespace
} // namespace dxf2csv::ruled
