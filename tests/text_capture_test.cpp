// TEXT capture, seen through whole conversions: what is stored decides the CSV and the
// alignment warnings.

#include "test_support.h"

#include <gtest/gtest.h>

namespace dxf2csv {
namespace {

using test::convert;
using test::drawing;
using test::failureOf;
using test::groupObject;
using test::textEntity;

constexpr std::string_view kWarning = "警告！！垂直方向の文字位置が中央設定されていない。";

TEST(TextCapture, AlignmentCodesDecideTheWarning) {
    struct Case {
        const char* name;
        const char* extra; // the TEXT's pairs after group 21
        bool warned;
    };
    const Case cases[] = {
        {"72 of 4 without 73 counts as centred", " 72\n4\n", false},
        {"73 after 72 replaces it", " 72\n4\n 73\n0\n", true},
        {"73 of 2 with blanks", " 72\n1\n 73\n 2 \n", false},
        {"72 other than 4 leaves vAlign absent", " 72\n1\n", true},
        {"no alignment codes", "", true},
        {"73 of 3 (top)", " 73\n3\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = convert(drawing(textEntity("A1", "ボルト", "0", "0", c.extra), groupObject({"A1"})));
        EXPECT_EQ(result.csv, "ボルト\r\n");
        const bool warned = result.report.size() > 1 && result.report[1] == kWarning;
        EXPECT_EQ(warned, c.warned);
        if (warned) {
            EXPECT_EQ(result.report[2], "ボルト");
        }
    }
}

TEST(TextCapture, TakesOnlyTextEntitiesAndTheirOwnCodes) {
    // An MTEXT and a LINE between the TEXTs, and group codes 11, 20, 30, 31, 40 and 50,
    // which must not move the text: the row comes from group 21 alone.
    const std::string entities = textEntity("A1", "first", "0", "500") +
                                 "  0\nMTEXT\n  5\nA2\n  1\nnot a TEXT\n 10\n0\n 21\n0\n" +
                                 "  0\nLINE\n  5\nA3\n 10\n0\n 20\n0\n 11\n9\n 21\n9\n" +
                                 "  0\nTEXT\n  5\nA4\n 10\n0\n 20\n999\n 30\n0\n 11\n999\n 21\n0\n"
                                 " 31\n0\n 40\n2.5\n 50\n90\n  1\nsecond\n 73\n2\n";
    const auto result = convert(drawing(entities, groupObject({"A1", "A2", "A3", "A4"})));
    EXPECT_EQ(result.report.at(0), "認識した要素数 : 2（５０００要素以下が必須！！）");
    EXPECT_EQ(result.csv, "first\r\nsecond\r\n");
    EXPECT_EQ(result.report.at(1), "計上した材料数 : 2");
}

TEST(TextCapture, LaterCodeWinsWithinOneText) {
    const auto result = convert(drawing(textEntity("A1", "old", "0", "0", "  1\nnew\n 73\n2\n"), groupObject({"A1"})));
    EXPECT_EQ(result.csv, "new\r\n");
}

TEST(TextCapture, Failures) {
    std::string many;
    for (int i = 1; i <= 5001; ++i) many += textEntity("H" + std::to_string(i), "t", "0", "0");
    const auto tooMany = failureOf(drawing(many, ""));
    ASSERT_TRUE(tooMany);
    EXPECT_EQ(tooMany->kind(), FailureKind::RowOutOfRange);
    // Lines 1..14 are the header and section start; each TEXT takes 16 lines and the
    // 5001st stores its handle on its 4th line.
    EXPECT_EQ(tooMany->line(), 14 + 5000 * 16 + 4);

    const auto badJustify = failureOf(drawing(textEntity("A1", "t", "0", "0", " 72\nmiddle\n"), ""));
    ASSERT_TRUE(badJustify);
    EXPECT_EQ(badJustify->kind(), FailureKind::NotANumber);
    EXPECT_EQ(badJustify->line(), 14 + 16);
    EXPECT_EQ(badJustify->detail(), "\"middle\"");
}

} // namespace
} // namespace dxf2csv
