// An MTEXT's contents as they read: formatting off, character codes decoded.

#include "ruled/mtext_format.h"

#include <gtest/gtest.h>

namespace dxf2csv::ruled {
namespace {

TEST(MtextFormat, FormattingCodesComeOffAndCharacterCodesAreDecoded) {
    struct Case {
        const char* name;
        const char* written;
        const char* reads;
    };
    const Case cases[] = {
        {"plain, blanks kept", " 89.37804 ", " 89.37804 "},
        {"\\P is a line feed", "Line 1\\PLine 2\\P", "Line 1\nLine 2\n"},
        {"control characters written with a caret", "Part^I^INo.^JT ^ 2 x^2^M", "Part\t\tNo.\nT ^2 x^2"},
        {"font and braces", "{\\fArial|b1|i0|c0|p34;Bold} text", "Bold text"},
        {"height, width, colour, slant, tracking, alignment",
         "\\H2.5x;\\W0.8;\\C1;\\c255;\\Q15;\\T1.1;\\A1;x", "x"},
        {"paragraph properties", "\\pxqc,i-3,l3;centred", "centred"},
        {"groups side by side", "{\\C1;red}{\\C3;green}", "redgreen"},
        {"stacked with ^", "1\\S1^2;\"", "11/2\""},
        {"stacked with /", "\\S3/4;", "3/4"},
        {"stacked with #", "\\S5#8;", "5/8"},
        {"superscript alone", "m\\S2^;", "m2"},
        {"underline, overline, strike-through", "\\Lunder\\l \\Oover\\o \\Kstrike\\k", "under over strike"},
        {"non-breaking space", "M8\\~x\\~20", "M8 x 20"},
        {"escaped backslash and braces", "\\\\server\\{x\\}", "\\server{x}"},
        {"\\U+ decoded", "\\U+9053\\U+8DEF", "道路"},
        {"\\U+ inside formatting", "{\\fMS Gothic;\\U+90E8\\U+54C1}", "部品"},
        {"\\M+ decoded", "\\M+1834D", "ギ"},
        {"%% codes decoded", "%%c20 %%p0.1", "φ20 ±0.1"},
        {"an escaped backslash starts no code", "\\\\U+0041", "\\U+0041"},
        {"a code cut off before its ;", "\\fArial", "\\fArial"},
        {"an unknown code stays", "a\\Zb", "a\\Zb"},
        {"a backslash at the end stays", "a\\", "a\\"},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readMtextContents(c.written, 932), c.reads);
    }
}

} // namespace
} // namespace dxf2csv::ruled
