#include "reading/line_reader.h"

#include "messages/run_failure.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace dxf2csv {
namespace {

/// The reader's next line and its number, one line at a time; false at the end of the input.
bool nextLine(LineReader& reader, std::string_view& line, std::int64_t* number = nullptr) {
    bool got = false;
    reader.forEachLine([&](std::string_view l, std::int64_t n) {
        line = l;
        if (number != nullptr) *number = n;
        got = true;
        return LineFlow::Stop;
    });
    return got;
}

std::vector<std::string> readAll(std::string_view bytes, std::size_t block) {
    MemorySource source(bytes);
    LineReader reader(source, block);
    std::vector<std::string> lines;
    std::string_view line;
    std::int64_t number = 0;
    while (nextLine(reader, line, &number)) {
        lines.emplace_back(line);
        EXPECT_EQ(number, static_cast<std::int64_t>(lines.size()));
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
        for (const std::size_t block : {1u, 2u, 3u, 5u, 16u, 17u, 4096u}) {
            SCOPED_TRACE(std::string(c.name) + ", block " + std::to_string(block));
            EXPECT_EQ(readAll(c.bytes, block), c.lines);
        }
    }
}

TEST(LineReader, AgreesWithByteByByteReadingAcrossWindowAndBlockEdges) {
    test::withEachInstructionSet([] {
        // Lines of every length around the 64-byte windows, with every kind of line end, so that
        // terminators fall on each offset of a window and of a block.
        std::string bytes;
        const char* ends[] = {"\r\n", "\n", "\r", "\r\n", "\n\r"};
        unsigned seed = 7;
        for (int length = 0; length < 140; ++length) {
            seed = seed * 1103515245u + 12345u;
            bytes += std::string(static_cast<std::size_t>(length), static_cast<char>('a' + length % 26));
            bytes += ends[(seed >> 16) % 5];
        }
        const auto expected = test::referenceLines(bytes);
        for (const std::size_t block : {1u, 7u, 63u, 64u, 65u, 128u, 1000u, 1u << 20}) {
            SCOPED_TRACE("block " + std::to_string(block));
            EXPECT_EQ(readAll(bytes, block), expected);
            EXPECT_EQ(readAll(bytes + "tail", block).back(), "tail");
        }
    });
}

TEST(LineReader, RefusesALineLongerThanAnyDrawingHolds) {
    const std::string bytes = "  0\r\n" + std::string(5000, 'x') + "\r\nend";
    MemorySource fits(bytes);
    LineReader roomy(fits, 64, "big.dxf", 8192);
    std::string_view line;
    ASSERT_TRUE(nextLine(roomy, line));
    ASSERT_TRUE(nextLine(roomy, line));
    EXPECT_EQ(line.size(), 5000u);

    MemorySource source(bytes);
    LineReader reader(source, 64, "big.dxf", 4096);
    ASSERT_TRUE(nextLine(reader, line));
    try {
        nextLine(reader, line);
        FAIL() << "no failure";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.kind(), FailureKind::LineTooLong);
        EXPECT_EQ(failure.file(), "big.dxf");
        EXPECT_EQ(failure.line(), 2);
    }
}

TEST(LineReader, PeekAndSkipLeaveLineNumbersAlone) {
    MemorySource source("\xEF\xBB\xBF" "0\nEOF\n");
    LineReader reader(source, 2);
    EXPECT_EQ(reader.peek(3), "\xEF\xBB\xBF");
    reader.skip(3);
    std::string_view line;
    std::int64_t number = 0;
    ASSERT_TRUE(nextLine(reader, line, &number));
    EXPECT_EQ(line, "0");
    EXPECT_EQ(number, 1);
}

} // namespace
} // namespace dxf2csv
