// The row tolerance as a person types it.

#include "run/tolerance.h"

#include "messages/run_failure.h"

#include <gtest/gtest.h>

namespace dxf2csv {
namespace {

TEST(ReadTolerance, AcceptsWhatAnInputMethodTypes) {
    struct Case {
        const char* name;
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"default", "100", 100},         {"rounded down", "12.7", 12},     {"negative", "-0.5", -1},
        {"blanks", " 50 ", 50},          {"full-width digits", "１００", 100}, {"full-width sign and point", "－０．５", -1},
        {"full-width space", "　２０", 20}, {"full-width exponent", "１Ｅ２", 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readTolerance(c.text, "t"), c.expected);
    }
    EXPECT_THROW(readTolerance("１００ｍｍ", "t"), RunFailure);
}

} // namespace
} // namespace dxf2csv
