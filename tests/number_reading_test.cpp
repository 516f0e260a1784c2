#include "reading/number_reading.h"

#include "messages/run_failure.h"
#include "reading/field_value.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

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

TEST(ComparisonValue, ReadsCellsAsWholeNumbers) {
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

TEST(ReadFloored16, KeepsSixteenBitLimits) {
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

TEST(ParseDecimal, PlainDecimalsReadExactlyAsTheGeneralParserReadsThem) {
    // Plain decimals take a quicker way than other numbers; both must give the same double to
    // the last bit, against the standard parser as the model, on random texts of every length.
    std::mt19937_64 random(7);
    for (int round = 0; round < 200000; ++round) {
        std::string text;
        if (random() % 4 == 0) text += '-';
        const int digits = 1 + static_cast<int>(random() % 17);
        const int point = static_cast<int>(random() % static_cast<unsigned>(digits + 2)) - 1; // -1: none
        for (int d = 0; d < digits; ++d) {
            if (d == point) text += '.';
            text += static_cast<char>('0' + random() % 10);
        }
        double expected = 0;
        const char* first = text.data() + (text[0] == '-');
        std::from_chars(first, text.data() + text.size(), expected);
        if (text[0] == '-') expected = -expected;
        const auto read = parseDecimal(text);
        ASSERT_TRUE(read) << text;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(*read), std::bit_cast<std::uint64_t>(expected)) << text;
    }
}

} // namespace
} // namespace dxf2csv
