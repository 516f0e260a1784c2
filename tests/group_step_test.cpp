// Ordering members into rows, the CSV block of each group, and the group's report lines.

#include "grouped/group_step.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace dxf2csv {
namespace {

using test::convert;
using test::drawing;
using test::failureOf;
using test::groupObject;
using test::textEntity;

struct Text {
    const char* handle;
    const char* x;
    const char* y;
};

std::string entitiesOf(const std::vector<Text>& texts) {
    std::string out;
    for (const Text& t : texts) out += textEntity(t.handle, t.handle, t.x, t.y);
    return out;
}

TEST(FlushGroup, OrdersRowsByTheExactExchangePasses) {
    struct Case {
        const char* name;
        std::vector<Text> texts;
        std::vector<std::string> members;
        const char* tolerance;
        const char* csv;
    };
    const std::vector<Text> grid = {{"A", "0", "100"}, {"B", "50", "100"}, {"C", "0", "0"}, {"D", "50", "0"}};
    const Case cases[] = {
        {"grid in drawing order", grid, {"A", "B", "C", "D"}, "10", "A,B\r\nC,D\r\n"},
        {"grid listed backwards", grid, {"D", "C", "B", "A"}, "10", "A,B\r\nC,D\r\n"},
        {"grid listed crosswise", grid, {"C", "B", "D", "A"}, "10", "A,B\r\nC,D\r\n"},
        {"chain only the exact passes resolve",
         {{"A", "10", "50"}, {"B", "0", "0"}, {"C", "5", "120"}}, {"A", "B", "C"}, "100", "C\r\nB,A\r\n"},
        {"each within tolerance of its predecessor is one line",
         {{"A", "0", "0"}, {"B", "1", "80"}, {"C", "2", "160"}}, {"A", "B", "C"}, "100", "A,B,C\r\n"},
        {"rounded down before comparing",
         {{"A", "0", "-0.5"}, {"B", "1", "99.5"}}, {"A", "B"}, "100", "A\r\nB\r\n"},
        {"exactly the tolerance apart, lower one first",
         {{"A", "0", "0"}, {"B", "50", "100"}}, {"A", "B"}, "100", "A\r\nB\r\n"},
        {"single text", {{"A", "7", "7"}}, {"A"}, "100", "A\r\n"},
        {"zero tolerance puts every text on its own line",
         {{"A", "50", "0"}, {"B", "0", "0"}}, {"A", "B"}, "0", "A\r\nB\r\n"},
        {"handle listed twice is written twice", {{"A", "0", "0"}}, {"A", "A"}, "100", "A,A\r\n"},
        {"coordinates beyond 2^53 are compared exactly too",
         {{"A", "3e16", "1e16"}, {"B", "1e16", "2e16"}, {"C", "0", "2e16"}}, {"A", "B", "C"}, "100", "C,B\r\nA\r\n"},
        {"heights beyond 64-bit integers keep their order",
         {{"A", "0", "1e19"}, {"B", "0", "3e19"}, {"C", "0", "-1e19"}, {"D", "0", "-9.3e18"}}, {"C", "A", "D", "B"},
         "100", "B\r\nA\r\nD\r\nC\r\n"},
        {"x beyond 64-bit integers within one row",
         {{"A", "1e300", "0"}, {"B", "-1e300", "0"}, {"C", "9.3e18", "0"}, {"D", "-9.3e18", "0"}}, {"A", "C", "B", "D"},
         "100", "B,D,C,A\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = convert(drawing(entitiesOf(c.texts), groupObject(c.members)), c.tolerance);
        EXPECT_EQ(result.csv, c.csv);
        EXPECT_EQ(result.report.at(1), "計上した材料数 : " + std::to_string(c.members.size()));
    }
}

/// The two passes and the row breaks exactly as described, on plain numbers.
std::string referenceCsv(const std::vector<std::pair<double, double>>& xy, const std::vector<std::string>& names, double t) {
    std::vector<double> x, y;
    for (const auto& [px, py] : xy) {
        x.push_back(std::floor(px));
        y.push_back(std::floor(py));
    }
    const std::vector<int> slot = test::plainPasses(x, y, t);
    auto Y = [&](std::size_t k) { return y[static_cast<std::size_t>(slot[k])]; };
    std::string csv = names[static_cast<std::size_t>(slot[0])];
    for (std::size_t k = 1; k < slot.size(); ++k)
        csv += (std::fabs(Y(k) - Y(k - 1)) < t ? "," : "\r\n") + names[static_cast<std::size_t>(slot[k])];
    return csv + "\r\n";
}

TEST(FlushGroup, MatchesAPlainReadingOfThePassesOnRandomTables) {
    unsigned seed = 12345;
    auto random = [&](unsigned limit) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % limit;
    };
    for (int round = 0; round < 300; ++round) {
        const std::size_t n = 1 + random(40);
        const int t = static_cast<int>(random(5)) * 50 - 50; // -50, 0, 50, 100, 150
        std::string entities;
        std::vector<std::string> handles, names;
        std::vector<std::pair<double, double>> xy;
        for (std::size_t k = 0; k < n; ++k) {
            // Rows 120 apart with jitter, and now and then a huge coordinate.
            const double x = random(10) == 0 ? 1e17 + random(3) * 1e16 : random(2000) / 4.0;
            const double y = static_cast<double>(random(8)) * 120 + random(300) / 10.0 - 15;
            handles.push_back("H" + std::to_string(k));
            names.push_back("t" + std::to_string(k));
            char xs[64], ys[64];
            std::snprintf(xs, sizeof xs, "%.17g", x);
            std::snprintf(ys, sizeof ys, "%.17g", y);
            entities += textEntity(handles.back(), names.back(), xs, ys);
            xy.emplace_back(std::strtod(xs, nullptr), std::strtod(ys, nullptr));
        }
        SCOPED_TRACE("round " + std::to_string(round) + ", n " + std::to_string(n) + ", t " + std::to_string(t));
        const auto result = convert(drawing(entities, groupObject(handles)), std::to_string(t));
        ASSERT_EQ(result.csv, referenceCsv(xy, names, t));
    }
}

TEST(FlushGroup, AFullTableOf5000TextsInOneGroup) {
    // 100 rows of 50 columns, Y steps of 300 with jitter under 50, listed in a scrambled order.
    std::string entities, expected;
    std::vector<std::string> handles;
    for (int r = 0; r < 100; ++r) {
        for (int c = 0; c < 50; ++c) {
            const std::string name = "r" + std::to_string(r) + "c" + std::to_string(c);
            entities += textEntity(name, name, std::to_string(c * 400 + (r * 7 + c) % 30),
                                   std::to_string(-300 * r + (r * 13 + c * 17) % 50));
            handles.push_back(name);
            expected += (c == 0 ? "" : ",") + name;
        }
        expected += "\r\n";
    }
    std::vector<std::string> scrambled(handles.size());
    for (std::size_t k = 0; k < handles.size(); ++k) scrambled[(k * 2999) % handles.size()] = handles[k];
    const auto result = convert(drawing(entities, groupObject(scrambled)));
    EXPECT_EQ(result.csv, expected);
    EXPECT_EQ(result.report, (std::vector<std::string>{"認識した要素数 : 5000（５０００要素以下が必須！！）", "計上した材料数 : 5000",
                                                       "計上した材料の総数 : 5000", "処理終了"}));
}

TEST(FlushGroup, BlocksFollowTheGroupsAndCountIntoTheTotal) {
    const std::string entities = entitiesOf({{"A", "0", "0"}, {"B", "0", "0"}, {"C", "0", "0"}}) +
                                 "  0\nLINE\n  5\nL1\n";
    const std::string objects = groupObject({"B"}) + groupObject({"L1", "FFFF"}) + groupObject({"A", "C"}) +
                                "  0\nDICTIONARY\n  5\nD1\n";
    const auto result = convert(drawing(entities, objects), "10");
    EXPECT_EQ(result.csv, "B\r\nA,C\r\n");
    const std::vector<std::string> expected = {
        "認識した要素数 : 3（５０００要素以下が必須！！）", "計上した材料数 : 1", "計上した材料数 : 2",
        "計上した材料の総数 : 3", "処理終了"};
    EXPECT_EQ(result.report, expected);
}

/// A TEXT with group 20 and group 21 as given ("" leaves one out), 21 first when `y2First`.
std::string textWithPoints(const std::string& handle, const std::string& x, const std::string& y1,
                           const std::string& y2, bool y2First = false) {
    const std::string first = y1.empty() ? "" : " 20\n" + y1 + "\n";
    const std::string second = y2.empty() ? "" : " 21\n" + y2 + "\n";
    return "  0\nTEXT\n  5\n" + handle + "\n  1\n" + handle + "\n 10\n" + x + "\n" +
           (y2First ? second + first : first + second) + " 73\n2\n";
}

TEST(FlushGroup, ATextWithoutGroup21StandsAtItsFirstAlignmentPoint) {
    struct Case {
        const char* name;
        std::string entities;
        const char* csv;
    };
    // A table of two rows, 300 apart; a, b on the upper row, c, d on the lower.
    const Case cases[] = {
        {"left-aligned: group 20 only",
         textWithPoints("c", "0", "0", "") + textWithPoints("d", "500", "0", "") + textWithPoints("a", "0", "300", "") +
             textWithPoints("b", "500", "300", ""),
         "a,b\r\nc,d\r\n"},
        {"mixed: some with 21, some with 20 only",
         textWithPoints("c", "0", "0", "") + textWithPoints("d", "500", "-999", "0") + textWithPoints("a", "0", "300", "") +
             textWithPoints("b", "500", "-999", "300"),
         "a,b\r\nc,d\r\n"},
        {"21 wins when it comes after 20",
         textWithPoints("c", "0", "300", "0") + textWithPoints("a", "0", "0", "300"), "a\r\nc\r\n"},
        {"21 wins when it comes before 20",
         textWithPoints("c", "0", "300", "0", true) + textWithPoints("a", "0", "0", "300", true), "a\r\nc\r\n"},
        {"neither: Y is 0", textWithPoints("c", "0", "", "") + textWithPoints("a", "0", "", "300"), "a\r\nc\r\n"},
        {"a 20 that is no number is not read when 21 is there",
         textWithPoints("c", "0", "low", "0") + textWithPoints("a", "0", "high", "300"), "a\r\nc\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(convert(drawing(c.entities, groupObject({"a", "b", "c", "d"}))).csv, c.csv);
    }

    // Without 21, a 20 that is no number fails like a 21 would, naming its own line: the 20 of
    // the second TEXT (each takes 12 lines after the 14 before the first) is its 10th line.
    const auto failure = failureOf(drawing(textWithPoints("a", "0", "0", "") + textWithPoints("b", "0", "top", ""),
                                           groupObject({"a", "b"})));
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->kind(), FailureKind::NotANumber);
    EXPECT_EQ(failure->line(), 14 + 12 + 10);
    EXPECT_EQ(failure->detail(), "\"top\"");
}

TEST(FlushGroup, NumbersAreReadOnlyWhenAComparisonNeedsThem) {
    // With one member nothing is compared, so a bad x never fails.
    EXPECT_EQ(convert(drawing(textEntity("A", "a", "left", "0"), groupObject({"A"}))).csv, "a\r\n");

    struct Case {
        const char* name;
        std::string entities;
        std::vector<std::string> members;
        std::int64_t line; // of the bad value
    };
    // Each TEXT of textEntity takes 16 lines after the 14 lines before the first one; the
    // value of group 10 is its 8th line, of group 21 its 14th, of group 73 its 16th.
    const Case cases[] = {
        {"bad y", textEntity("A", "a", "0", "high") + textEntity("B", "b", "0", "0"), {"A", "B"}, 14 + 14},
        {"bad x", textEntity("A", "a", "0", "0") + textEntity("B", "b", "x2", "0"), {"A", "B"}, 14 + 16 + 8},
        {"bad vAlign", textEntity("A", "a", "0", "0", " 73\nmiddle\n"), {"A"}, 14 + 16},
        {"two bad y: the first member's is read first",
         textEntity("A", "a", "0", "p") + textEntity("B", "b", "0", "q"), {"B", "A"}, 14 + 16 + 14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto failure = failureOf(drawing(c.entities, groupObject(c.members)));
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->kind(), FailureKind::NotANumber);
        EXPECT_EQ(failure->line(), c.line);
    }
}

TEST(FlushGroup, LimitsFail) {
    std::string entities = textEntity("A", "a", "0", "0");
    const auto tooManyMembers = failureOf(drawing(entities, groupObject(std::vector<std::string>(5001, "A"))));
    ASSERT_TRUE(tooManyMembers);
    EXPECT_EQ(tooManyMembers->kind(), FailureKind::RowOutOfRange);

    // Seven groups of 5000 members pass 32767 in the seventh.
    std::string objects;
    for (int g = 0; g < 7; ++g) objects += groupObject(std::vector<std::string>(5000, "A"));
    const auto tooMany = failureOf(drawing(entities, objects), "0");
    ASSERT_TRUE(tooMany);
    EXPECT_EQ(tooMany->kind(), FailureKind::NumberOutOfRange);
}

} // namespace
} // namespace dxf2csv
