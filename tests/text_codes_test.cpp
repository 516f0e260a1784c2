// The codes DXF writes in texts, decoded; a malformed code stays as it is.

#include "text/text_codes.h"

#include <gtest/gtest.h>

namespace dxf2csv {
namespace {

TEST(TextCodes, EachCodeDecodedAndEveryMalformedOneKept) {
    struct Case {
        const char* name;
        const char* text;
        int codePage;
        const char* shown;
    };
    const Case cases[] = {
        {"\\U+ in Japanese", "\\U+9053\\U+8DEF\\U+659C\\U+7DDA", 932, "道路斜線"},
        {"\\U+ with lower-case digits and letter", "\\u+9053\\U+8def", 932, "道路"},
        {"\\U+ surrogate pair", "\\U+D83D\\U+DD29 bolt", 932, "🔩 bolt"},
        {"\\M+1 Shift-JIS bytes", "\\M+1834D", 932, "ギ"},
        {"\\M+5 GBK bytes", "\\M+5C4E3", 932, "你"},
        {"%%c diameter", "SS400 %%c20", 932, "SS400 φ20"},
        {"%%C upper case", "%%C12", 932, "φ12"},
        {"%%d degree and %%p plus-minus", "90%%d %%p0.1", 932, "90° ±0.1"},
        {"%%% percent", "50%%%", 932, "50%"},
        {"%%nnn of the code page", "%%065%%177", 932, "Aｱ"},
        {"%%nnn of another code page", "caf%%233", 1252, "café"},
        {"%%u %%o %%k dropped", "%%uM8%%u %%O%%K", 932, "M8 "},
        {"no code", "ボルト M8, \\ 100%", 932, "ボルト M8, \\ 100%"},
        {"\\U+ with three digits", "\\U+905", 932, "\\U+905"},
        {"\\U+ without plus", "\\U9053", 932, "\\U9053"},
        {"\\U+ not hexadecimal", "\\U+90G3", 932, "\\U+90G3"},
        {"\\U+ a high half alone", "\\U+D83Dx", 932, "\\U+D83Dx"},
        {"\\U+ a low half alone", "\\U+DD29", 932, "\\U+DD29"},
        {"\\U+ a high half before a code that is no low half", "\\U+D83D\\U+0041", 932, "\\U+D83DA"},
        {"\\U+0000", "\\U+0000", 932, "\\U+0000"},
        {"\\M+ page 6", "\\M+6834D", 932, "\\M+6834D"},
        {"\\M+ two characters of one byte", "\\M+14142", 932, "\\M+14142"},
        {"\\M+ bytes of no character", "\\M+10000", 932, "\\M+10000"},
        {"\\M+ cut short", "\\M+1834", 932, "\\M+1834"},
        {"\\M+ with a digit that is no hexadecimal after a good one", "\\M+1834D\\M+1ZZZZ", 932, "ギ\\M+1ZZZZ"},
        {"%% at the end", "10%%", 932, "10%%"},
        {"%% and an unknown letter", "%%x", 932, "%%x"},
        {"%%nnn past 255", "%%300", 932, "%%300"},
        {"%%nn two digits", "%%65", 932, "%%65"},
        {"%%nnn a lead byte alone", "%%130", 932, "%%130"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodeTextCodes(c.text, c.codePage), c.shown);
    }
}

} // namespace
} // namespace dxf2csv
