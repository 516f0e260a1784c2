#include "platform/utf8.h"

#include <gtest/gtest.h>

namespace dxf2csv {
namespace {

TEST(Utf8, KeepsEveryCharacterAndReplacesEachIllFormedByte) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string sanitized; // "" when the bytes are valid and stay as they are
    };
    const std::string r = "\xEF\xBF\xBD"; // U+FFFD
    const Case cases[] = {
        {"two and three bytes", "部品 ok \xC3\xA9", ""},
        {"U+10000, the first of four bytes", "\xF0\x90\x80\x80", ""},
        {"U+20B9F, a kanji of four bytes", "\xF0\xA0\xAE\x9F", ""},
        {"U+10FFFF, the last character", "\xF4\x8F\xBF\xBF", ""},
        {"overlong two bytes", "\xC0\xAF", r + r},
        {"surrogate", "\xED\xA0\x80", r + r + r},
        {"cut three bytes", "\xE9\x83", r + r},
        {"overlong four bytes", "\xF0\x8F\xBF\xBF", r + r + r + r},
        {"past U+10FFFF", "\xF4\x90\x80\x80", r + r + r + r},
        {"lead byte F5", "\xF5\x80\x80\x80", r + r + r + r},
        {"cut four bytes", "x\xF0\xA0\xAE", "x" + r + r + r},
        {"lone continuation", "\x80", r},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const bool valid = c.sanitized.empty();
        EXPECT_EQ(isValidUtf8(c.bytes), valid);
        EXPECT_EQ(sanitizeUtf8(c.bytes), valid ? c.bytes : c.sanitized);
    }
}

TEST(Utf8, EveryByteHasTheLengthItsLeadingOnesGive) {
    // The lead of an n-byte sequence has n leading one bits (n = 2..4); ASCII, a continuation
    // byte (one leading one) and 0xF8..0xFF (five or more) begin no sequence and are one byte
    // each, so that a stray continuation byte never takes the next character with it.
    for (int b = 0; b < 256; ++b) {
        int ones = 0;
        while (ones < 8 && ((b << ones) & 0x80) != 0) ++ones;
        const std::size_t expected = ones >= 2 && ones <= 4 ? static_cast<std::size_t>(ones) : 1;
        EXPECT_EQ(utf8Length(static_cast<unsigned char>(b)), expected) << "byte " << b;
    }
}

} // namespace
} // namespace dxf2csv
