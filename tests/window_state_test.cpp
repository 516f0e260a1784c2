#include "window_state.h"

#include "run_failure.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dxf2csv {
namespace {

TEST(WholeNumber, ReadsDecimalTextsAndRoundsDown) {
    struct Case {
        const char* name;
        const char* text;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"fraction rounds down", "7.9", 7},
        {"negative rounds towards minus infinity", "-0.5", -1},
        {"blanks and tabs around", " \t12.7 \t", 12},
        {"plus sign", "+3", 3},
        {"exponent", "1.5e2", 150},
        {"leading point", ".5", 0},
        {"trailing point", "5.", 5},
        {"right-aligned group code", "  0", 0},
        {"empty", "", std::nullopt},
        {"only blanks", "  ", std::nullopt},
        {"letters", "ab", std::nullopt},
        {"comma as decimal separator", "1,5", std::nullopt},
        {"infinity word", "inf", std::nullopt},
        {"nan word", "nan", std::nullopt},
        {"two signs", "+-1", std::nullopt},
        {"dangling exponent", "1e", std::nullopt},
        {"hexadecimal", "0x10", std::nullopt},
        {"two numbers", "1 2", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(wholeNumber(c.text), c.expected);
    }
}

TEST(NumericValue, ReadsCellsAndNamesTheLineOfABadText) {
    FieldValue absent;
    EXPECT_EQ(numericValue(absent, "f.dxf"), 0);
    FieldValue number;
    number.setNumber(2, 5);
    EXPECT_EQ(numericValue(number, "f.dxf"), 2);
    FieldValue text;
    text.setText(" 99.9 ", 7);
    EXPECT_EQ(numericValue(text, "f.dxf"), 99);

    text.setText("12a", 41);
    try {
        numericValue(text, "f.dxf");
        FAIL() << "no failure";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.kind(), FailureKind::NotANumber);
        EXPECT_EQ(failure.line(), 41);
        EXPECT_STREQ(failure.what(), "f.dxf:41: not a number: \"12a\"");
    }
    text.setText("1e999", 3);
    try {
        numericValue(text, "f.dxf");
        FAIL() << "no failure";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.kind(), FailureKind::NumberOutOfRange);
    }
}

TEST(NumericValue16, KeepsSixteenBitLimits) {
    struct Case {
        const char* name;
        const char* text;
        int expected;                        // when no failure
        std::optional<FailureKind> failure;  // else
    };
    const Case cases[] = {
        {"largest", "32767", 32767, {}},
        {"smallest", "-32768", -32768, {}},
        {"rounded into range", "32767.9", 32767, {}},
        {"one past", "32768", 0, FailureKind::NumberOutOfRange},
        {"below", "-32769", 0, FailureKind::NumberOutOfRange},
        {"exponent past", "1e5", 0, FailureKind::NumberOutOfRange},
        {"huge", "1e400", 0, FailureKind::NumberOutOfRange},
        {"empty line is no group code", "", 0, FailureKind::NotANumber},
        {"letters", "O", 0, FailureKind::NotANumber},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            const int value = numericValue16(c.text, "f.dxf", 9);
            EXPECT_FALSE(c.failure.has_value());
            EXPECT_EQ(value, c.expected);
        } catch (const RunFailure& failure) {
            ASSERT_TRUE(c.failure.has_value()) << failure.what();
            EXPECT_EQ(failure.kind(), *c.failure);
            EXPECT_EQ(failure.line(), 9);
        }
    }
}

TEST(CheckedAdd16, FailsPast32767) {
    EXPECT_EQ(checkedAdd16(32766, 1, "f", 1, "count"), 32767);
    EXPECT_THROW(checkedAdd16(32767, 1, "f", 1, "count"), RunFailure);
}


} // namespace
} // namespace dxf2csv
