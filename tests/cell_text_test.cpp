// joinCellText: lines by height, words by x, texts kept as they are.

#include "ruled/cell_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace dxf2csv::ruled {
namespace {

TEST(JoinCellText, JoinsLinesAndWords) {
    struct Case {
        const char* name;
        std::vector<SheetText> texts;
        const char* joined;
    };
    const Case cases[] = {
        {"one text", {{{0, 0}, 2, "M6x20", 0}}, "M6x20"},
        {"one line, listed right to left", {{{10, 0}, 2, "b", 0}, {{0, 0}, 2, "a", 0}}, "a b"},
        {"lines, listed bottom up", {{{0, 0}, 2, "low", 0}, {{0, 5}, 2, "high", 0}}, "high\nlow"},
        {"within half the smaller height is one line", {{{0, 0}, 2, "a", 0}, {{5, 0.99}, 10, "b", 0}}, "a b"},
        {"beyond it, two lines", {{{0, 0}, 2, "a", 0}, {{5, 1.01}, 10, "b", 0}}, "b\na"},
        {"blanks and line feeds kept", {{{0, 0}, 2, " 89.37804", 0}, {{0, 5}, 2, "x\ny ", 0}}, "x\ny \n 89.37804"},
        {"empty texts add nothing", {{{0, 0}, 2, "", 0}, {{5, 0}, 2, "a", 0}, {{0, 9}, 2, "", 0}}, "a"},
        {"a grid of four", {{{9, 0}, 2, "d", 0}, {{0, 0}, 2, "c", 0}, {{9, 4}, 2, "b", 0}, {{0, 4}, 2, "a", 0}},
         "a b\nc d"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<const SheetText*> texts;
        for (const SheetText& t : c.texts) texts.push_back(&t);
        EXPECT_EQ(joinCellText(texts), c.joined);
    }
}

} // namespace
} // namespace dxf2csv::ruled
