// Code pages give the same on every system: holes of a page show as U+FFFD (Windows' own
// tables fill some), and no character is replaced by a look-alike.

#include "platform/code_pages.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace dxf2csv {
namespace {

constexpr const char* kFffd = "\xEF\xBF\xBD";

TEST(CodePages, BytesWithoutACharacterShowAsReplacements) {
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
        // Regression: glibc held back the last character of these pages, to combine it with
        // an accent that might follow, and it was lost.
        {"CP1255 last character", 1255, "a\xE0", "a\xD7\x90"},
        {"CP1258 last character", 1258, "Vi\xEAt", "Vi\xC3\xAAt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::codePageToUtf8(c.page, c.bytes), c.utf8);
    }
}

TEST(CodePages, ACharacterThePageLacksIsRefusedAtItsOffset) {
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

TEST(CodePages, WhatOnePageWritesIsNotTakenForTheNextPages) {
    // The converters and what they write for ASCII stay from one call to the next: each call
    // must still write its own page, ASCII (EBCDIC writes "A" as 0xC1) and the rest alike.
    struct Case {
        const char* name;
        int page;
        std::string text;
        std::string bytes;
    };
    const Case cases[] = {
        {"CP1252 first", 1252, "Aé", "A\xE9"},
        {"EBCDIC after it", 500, "Aé", "\xC1\x51"},
        {"DOS after that", 437, "Aé", "A\x82"},
        {"CP1252 again", 1252, "Aé", "A\xE9"},
        {"CP932 with its own double bytes", 932, "A部", "A\x95\x94"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::size_t unmappable = 0;
        EXPECT_EQ(platform::utf8ToCodePage(c.page, c.text, unmappable), c.bytes);
        EXPECT_EQ(platform::codePageToUtf8(c.page, c.bytes), c.text);
    }
}

TEST(CodePages, EveryTwoBytesOfTheMultiByteCodePagesConvertWithoutACrash) {
    // Regression: glibc's CP949 converter passed over a lead byte and a trail byte that form no
    // character (0xA2 0xE8) to the end of the input and still said the input was bad; the byte
    // after it was then read past the end.
    for (const int page : {932, 936, 949, 950}) {
        SCOPED_TRACE(page);
        if (!platform::codePageAvailable(page)) continue;
        for (int lead = 0x80; lead <= 0xFF; ++lead) {
            for (int trail = 0; trail <= 0xFF; trail += 3) {
                const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                const auto text = platform::codePageToUtf8(page, std::string_view(bytes, 2));
                ASSERT_TRUE(text);
                ASSERT_FALSE(text->empty());
            }
        }
    }
}

} // namespace
} // namespace dxf2csv
