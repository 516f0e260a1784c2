// The counters of the grouped tables.

#include "grouped/grouped_tables.h"

#include "messages/run_failure.h"

#include <gtest/gtest.h>

namespace dxf2csv {
namespace {

TEST(GroupedTables, CountersFailPastTheirMost) {
    EXPECT_EQ(checkedAdd(32766, 1, INT16_MAX, "f", 1, Detail::TotalReaches), 32767);
    EXPECT_THROW(checkedAdd(32767, 1, INT16_MAX, "f", 1, Detail::TotalReaches), RunFailure);
    EXPECT_THROW(checkedAdd(-32768, -1, INT16_MAX, "f", 1, Detail::TotalReaches), RunFailure);
    EXPECT_EQ(checkedAdd(32767, 1, GroupedTables(false).mostTexts(), "f", 1, Detail::TextCountReaches), 32768);
    EXPECT_THROW(checkedAdd(INT32_MAX, 1, INT32_MAX, "f", 1, Detail::TextCountReaches), RunFailure);
}

} // namespace
} // namespace dxf2csv
