// The counters of the grouped tables.

#include "grouped/grouped_tables.h"

#include "messages/run_failure.h"

#include <gtest/gtest.h>

namespace dxf2csv {
namespace {

TEST(GroupedTables, CountersOf16BitsWhenLimitedElseOf32) {
    const GroupedTables limited(true);
    EXPECT_EQ(limited.checkedAdd(32766, 1, "f", 1, Detail::TotalReaches), 32767);
    EXPECT_THROW(limited.checkedAdd(32767, 1, "f", 1, Detail::TotalReaches), RunFailure);
    const GroupedTables unlimited(false);
    EXPECT_EQ(unlimited.checkedAdd(32767, 1, "f", 1, Detail::TotalReaches), 32768);
    EXPECT_THROW(unlimited.checkedAdd(INT32_MAX, 1, "f", 1, Detail::TotalReaches), RunFailure);
}

} // namespace
} // namespace dxf2csv
