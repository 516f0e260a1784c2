#include "text/text_decoder.h"

#include <gtest/gtest.h>

namespace dxf2csv {
namespace {

TEST(TextDecoder, ChoosesTheCharacterSetFromTheHeader) {
    struct Case {
        const char* name;
        const char* version;  // nullptr: not declared
        const char* codePage; // nullptr: not declared
        std::string bytes;
        std::string utf8;
    };
    const std::string sjis = "\x95\x94\x95\x69"; // 部品 in CP932
    const Case cases[] = {
        {"R2000 with ANSI_932", "AC1015", "ANSI_932", sjis, "部品"},
        {"code page with blanks", "AC1015", " ANSI_932 ", sjis, "部品"},
        {"DOS page name", "AC1012", "dos932", sjis, "部品"},
        {"R2007 is UTF-8", "AC1021", "ANSI_932", "部品", "部品"},
        {"R2018 is UTF-8", "AC1032", nullptr, "部品", "部品"},
        {"unknown page falls back to guessing", "AC1015", "ANSI_99999", sjis, "部品"},
        {"nothing declared, UTF-8", nullptr, nullptr, "部品", "部品"},
        {"nothing declared, CP932", nullptr, nullptr, sjis, "部品"},
        {"cut-off double-byte character", nullptr, "ANSI_932", "ab\x95", "ab\xEF\xBF\xBD"},
        {"ill-formed UTF-8 in R2007", "AC1021", nullptr, "\xE9\x83" "x\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBDx\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"ASCII", "AC1009", nullptr, "plain", "plain"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextDecoder decoder;
        if (c.version != nullptr) decoder.setVersion(c.version);
        if (c.codePage != nullptr) decoder.setCodePage(c.codePage);
        EXPECT_EQ(decoder.toUtf8(c.bytes), c.utf8);
    }
}

} // namespace
} // namespace dxf2csv
