// Finding a GROUP member's TEXT rows by handle.

#include "grouped/handle_index.h"

#include <gtest/gtest.h>

#include <vector>

namespace dxf2csv {
namespace {

TEST(HandleIndex, FindsEveryRowOfAHandleInRowOrder) {
    TextTable table;
    const char* handles[] = {"A", "B", "A", nullptr, "A"};
    for (int row = 1; row <= 5; ++row)
        if (handles[row - 1] != nullptr) table.row(row).handle.setText(handles[row - 1], row);
    HandleIndex index;
    index.prepare(table, 4);
    std::vector<int> rows;
    for (int row = index.first("A"); row != 0; row = index.next(row)) rows.push_back(row);
    EXPECT_EQ(rows, (std::vector<int>{1, 3})); // row 5 lies past the limit
    EXPECT_EQ(index.first(""), 4);              // an absent handle matches the empty line only
    EXPECT_EQ(index.first("a"), 0);             // case counts
}

} // namespace
} // namespace dxf2csv
