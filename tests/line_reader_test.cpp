#include "line_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace dxf2csv {
namespace {

std::vector<std::string> readAll(std::string_view bytes, std::size_t block) {
    MemorySource source(bytes);
    LineReader reader(source, block);
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line)) {
        lines.emplace_back(line);
        EXPECT_EQ(reader.lineNumber(), static_cast<std::int64_t>(lines.size()));
    }
    return lines;
}

TEST(LineReader, SplitsAtEveryKindOfLineEndWhateverTheBlockSize) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"CR LF", "  0\r\nTEXT\r\n", {"  0", "TEXT"}},
        {"lone LF", "a\nb\n", {"a", "b"}},
        {"lone CR", "a\rb\r", {"a", "b"}},
        {"mixed", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"LF CR is two ends", "a\n\rb", {"a", "", "b"}},
        {"empty lines kept", "\r\n\r\nx\r\n", {"", "", "x"}},
        {"blanks kept", " v \t\r\n", {" v \t"}},
        {"no final line end", "last", {"last"}},
        {"long line across blocks", std::string(100, 'x') + "\r\ny", {std::string(100, 'x'), "y"}},
        {"nothing", "", {}},
    };
    for (const Case& c : cases) {
        for (const std::size_t block : {1, 2, 3, 5, 16, 17, 4096}) {
            SCOPED_TRACE(std::string(c.name) + ", block " + std::to_string(block));
            EXPECT_EQ(readAll(c.bytes, block), c.lines);
        }
    }
}

TEST(LineReader, PeekAndSkipLeaveLineNumbersAlone) {
    MemorySource source("\xEF\xBB\xBF" "0\nEOF\n");
    LineReader reader(source, 2);
    EXPECT_EQ(reader.peek(3), "\xEF\xBB\xBF");
    reader.skip(3);
    std::string_view line;
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "0");
    EXPECT_EQ(reader.lineNumber(), 1);
}

} // namespace
} // namespace dxf2csv
