// Code pages through the Windows API give what glibc's iconv gives on Linux: holes of a page
// show as U+FFFD (Windows' own tables fill some), and no character is replaced by a look-alike.

#include "code_pages.h"

#include <gtest/gtest.h>

namespace dxf2csv {
namespace {

constexpr const char* kFffd = "\xEF\xBF\xBD";

TEST(WindowsCodePages, BytesWithoutACharacterShowAsReplacementsAsOnLinux) {
    struct Case {
        const char* name;
        int page;
        std::string bytes;
        std::string utf8;
    };
    const Case cases[] = {
        {"CP932 0x80, which Windows maps to U+0080", 932, "a\x80" "b", std::string("a") + kFffd + "b"},
        {"CP932 0xA0 and 0xFD..0xFF, private use on Windows", 932, "\xA0\xFD\xFE\xFF", std::string(kFffd) + kFffd + kFffd + kFffd},
        {"CP932 double-byte and half-width kana", 932, "\x95\x94\x95\x69\xB1", "部品ｱ"},
        {"CP932 lead byte before a byte that ends no character", 932, "\x81\x20x", std::string(kFffd) + " x"},
        {"CP932 lead byte cut off at the end", 932, "ab\x95", std::string("ab") + kFffd},
        {"CP1252 hole 0x81; 0x80 is the euro", 1252, "\x81\x80", std::string(kFffd) + "€"},
        {"CP950 0x80 is U+0080 on Linux too", 950, "\x80", "\xC2\x80"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::codePageToUtf8(c.page, c.bytes), c.utf8);
    }
}

TEST(WindowsCodePages, ACharacterThePageLacksIsRefusedAtItsOffset) {
    struct Case {
        const char* name;
        std::string text;
        std::optional<std::string> bytes; // none: refused
        std::size_t unmappable;
    };
    const Case cases[] = {
        {"Japanese", "部品", "\x95\x94\x95\x69", 0},
        {"é has no best fit to e", "部品é", std::nullopt, 6},
        {"yen sign has no best fit to backslash", "x\xC2\xA5", std::nullopt, 1},
        {"Hangul", "\xED\x95\x9C", std::nullopt, 0},
        {"ill-formed UTF-8", "ab\xC3", std::nullopt, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::size_t unmappable = 12345;
        EXPECT_EQ(platform::utf8ToCodePage(932, c.text, unmappable), c.bytes);
        if (!c.bytes) {
            EXPECT_EQ(unmappable, c.unmappable);
        }
    }
    // A page that Windows has but the Linux build does not read is not read here either.
    EXPECT_TRUE(platform::codePageAvailable(932));
    EXPECT_FALSE(platform::codePageAvailable(65001));
    std::size_t unmappable = 0;
    EXPECT_FALSE(platform::utf8ToCodePage(65001, "abc", unmappable));
    EXPECT_EQ(unmappable, 3u);
}

} // namespace
} // namespace dxf2csv
