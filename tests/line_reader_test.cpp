#include "line_reader.h"

#include "run_failure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
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

/// The plain byte-by-byte reading the reader must agree with.
std::vector<std::string> referenceLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            lines.push_back(current);
            current.clear();
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            current += bytes[i];
        }
    }
    if (!current.empty()) lines.push_back(current);
    return lines;
}

/// Runs `body` with the processor's widest instructions and with the plain ones.
template <class Body>
void withEachInstructionSet(Body body) {
    for (const bool wide : {true, false}) {
        SCOPED_TRACE(wide ? "widest instructions" : "plain SSE2");
        LineReader::allowWideInstructionsForTesting(wide);
        body();
    }
    LineReader::allowWideInstructionsForTesting(true);
}

TEST(LineReader, AgreesWithByteByByteReadingAcrossWindowAndBlockEdges) {
    withEachInstructionSet([] {
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
        const auto expected = referenceLines(bytes);
        for (const std::size_t block : {1, 7, 63, 64, 65, 128, 1000, 1 << 20}) {
            SCOPED_TRACE("block " + std::to_string(block));
            EXPECT_EQ(readAll(bytes, block), expected);
            EXPECT_EQ(readAll(bytes + "tail", block).back(), "tail");
        }
    });
}

TEST(LineReader, PassesOverQuietPairsOnlyAndCountsTheirLines) {
    withEachInstructionSet([] {
        // Pairs with every kind of group-code line, random values and line ends. The handler asks
        // to pass over quiet pairs after each value line; every pair that is not quiet must still
        // be handed out, each line with its true number, code lines at odd numbers.
        const char* codes[] = {"  0", "0", "00", " 0", "0 ", " 10", "10", "10 ", "+5", "-1", "1071", "9999",
                               "10000", "99999", "", " ", "\t8", "330", "  5", "05", "100", " 1 0", "x"};
        const char* values[] = {"", "0", "LINE", "  0", "12.5", "AcDbEntity", "ENDSEC", "\t", "999999",
                                "TEXT", "GROUP", "SECTION", "EOF", "LWPOLYLINE", "Spline", " TEXT"};
        const char* ends[] = {"\r\n", "\n", "\r", "\r\n"};
        const std::regex quiet(" *[1-9][0-9]{0,3}"), zero(" *0");
        auto isQuiet = [&](const std::string& code, const std::string& value) {
            if (std::regex_match(code, quiet)) return true;
            return std::regex_match(code, zero) && !value.empty() && std::string("TESG").find(value[0]) == std::string::npos;
        };
        unsigned seed = 99;
        auto random = [&](unsigned n) {
            seed = seed * 1103515245u + 12345u;
            return (seed >> 8) % n;
        };
        for (int round = 0; round < 40; ++round) {
            std::string bytes;
            const unsigned pairs = 50 + random(400);
            for (unsigned k = 0; k < pairs; ++k) {
                // Mostly quiet pairs, as in a real drawing.
                bytes += random(4) == 0 ? codes[random(std::size(codes))] : codes[random(3) == 0 ? 0 : 5 + random(3)];
                bytes += ends[random(4)];
                bytes += values[random(std::size(values))];
                bytes += ends[random(4)];
            }
            const auto lines = referenceLines(bytes);
            for (const std::size_t block : {7, 64, 1000, 1 << 16}) {
                SCOPED_TRACE("round " + std::to_string(round) + ", block " + std::to_string(block));
                MemorySource source(bytes);
                LineReader reader(source, block);
                std::vector<std::int64_t> handed;
                bool ok = true;
                reader.forEachLine([&](std::string_view line, std::int64_t number) {
                    if (number < 1 || number > static_cast<std::int64_t>(lines.size()) ||
                        lines[static_cast<std::size_t>(number - 1)] != line ||
                        (!handed.empty() && number <= handed.back()))
                        ok = false;
                    handed.push_back(number);
                    return number % 2 == 0 ? LineFlow::SkipQuietPairs : LineFlow::Next;
                });
                ASSERT_TRUE(ok);
                for (std::size_t code = 0; code + 1 < lines.size(); code += 2) {
                    const bool handedOut = std::binary_search(handed.begin(), handed.end(), static_cast<std::int64_t>(code + 1));
                    if (!isQuiet(lines[code], lines[code + 1])) {
                        ASSERT_TRUE(handedOut) << "loud pair at line " << code + 1 << ": " << lines[code];
                    }
                    if (handedOut) {
                        ASSERT_TRUE(std::binary_search(handed.begin(), handed.end(), static_cast<std::int64_t>(code + 2)));
                    }
                }
                if (lines.size() % 2 != 0) {
                    ASSERT_EQ(handed.back(), static_cast<std::int64_t>(lines.size()));
                }
            }
        }
    });
}

TEST(LineReader, RefusesALineLongerThanAnyDrawingHolds) {
    const std::string bytes = "  0\r\n" + std::string(5000, 'x') + "\r\nend";
    MemorySource fits(bytes);
    LineReader roomy(fits, 64, "big.dxf", 8192);
    std::string_view line;
    ASSERT_TRUE(roomy.next(line));
    ASSERT_TRUE(roomy.next(line));
    EXPECT_EQ(line.size(), 5000u);

    MemorySource source(bytes);
    LineReader reader(source, 64, "big.dxf", 4096);
    ASSERT_TRUE(reader.next(line));
    try {
        reader.next(line);
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
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "0");
    EXPECT_EQ(reader.lineNumber(), 1);
}

} // namespace
} // namespace dxf2csv
