#include "reading/number_reading.h"

#include "messages/run_failure.h"
#include "reading/field_value.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dxf2csv {
namespace {

TEST(FlooredNumber, ReadsDecimalTextsAndRoundsDown) {
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
        EXPECT_EQ(floorDecimal(c.text), c.expected);
    }
}

TEST(NumericValue, ReadsCellsAsWholeNumbers) {
    struct Case {
        const char* name;
        FieldValue cell;
        FlooredNumber expected;
    };
    auto text = [](const char* t) {
        FieldValue cell;
        cell.setText(t, 7);
        return cell;
    };
    FieldValue number;
    number.setNumber(2, 5);
    const Case cases[] = {
        {"absent counts as 0", FieldValue(), {0, NumberStatus::Ok}},
        {"a number as it is", number, {2, NumberStatus::Ok}},
        {"a text rounded down", text(" 99.9 "), {99, NumberStatus::Ok}},
        {"a text that is no number", text("12a"), {0, NumberStatus::NotANumber}},
        {"a text past a double", text("1e999"), {0, NumberStatus::OutOfRange}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FlooredNumber value = comparisonValue(c.cell);
        EXPECT_EQ(value.status, c.expected.status);
        if (c.expected.status == NumberStatus::Ok) {
            EXPECT_EQ(value.value, c.expected.value);
        }
    }
}

TEST(ReadWhole16, KeepsSixteenBitLimits) {
    struct Case {
        const char* name;
        const char* text;
        int expected;        // when Ok
        NumberStatus status;
    };
    const Case cases[] = {
        {"largest", "32767", 32767, NumberStatus::Ok},
        {"smallest", "-32768", -32768, NumberStatus::Ok},
        {"rounded into range", "32767.9", 32767, NumberStatus::Ok},
        {"one past", "32768", 0, NumberStatus::OutOfRange},
        {"below", "-32769", 0, NumberStatus::OutOfRange},
        {"exponent past", "1e5", 0, NumberStatus::OutOfRange},
        {"huge", "1e400", 0, NumberStatus::OutOfRange},
        {"empty line is no group code", "", 0, NumberStatus::NotANumber},
        {"letters", "O", 0, NumberStatus::NotANumber},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const Floored16 read : {readFloored16(c.text), readGroupCode(c.text)}) {
            EXPECT_EQ(read.status, c.status);
            if (c.status == NumberStatus::Ok) {
                EXPECT_EQ(read.value, c.expected);
            }
        }
    }
}

} // namespace
} // namespace dxf2csv
