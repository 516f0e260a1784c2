// The counters of the grouped tables.

#include "grouped/grouped_tables.h"

#include "messages/run_failure.h"

#include <gtest/gtest.h>

namespace dxf2csv {
namespace {

TEST(CheckedAdd16, FailsPast32767) {
    EXPECT_EQ(checkedAdd16(32766, 1, "f", 1, Detail::TotalReaches), 32767);
    EXPECT_THROW(checkedAdd16(32767, 1, "f", 1, Detail::TotalReaches), RunFailure);
}

} // namespace
} // namespace dxf2csv
