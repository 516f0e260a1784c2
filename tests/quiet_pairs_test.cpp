// Passing over quiet pairs: never a pair that could change something, and really the rest.

#include "reading/quiet_pairs.h"
#include "run/conversion_run.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

namespace dxf2csv {
namespace {

TEST(QuietPairs, OnlyQuietPairsArePassedOverAndTheirLinesCounted) {
    test::withEachInstructionSet([] {
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
            const auto lines = test::referenceLines(bytes);
            for (const std::size_t block : {7u, 64u, 1000u, 1u << 16}) {
                SCOPED_TRACE("round " + std::to_string(round) + ", block " + std::to_string(block));
                MemorySource source(bytes);
                LineReader reader(source, block, {}, LineReader::kLongestLine, quietPairSkipper());
                std::vector<std::int64_t> handed;
                bool ok = true;
                reader.forEachLine([&](std::string_view line, std::int64_t number) {
                    if (number < 1 || number > static_cast<std::int64_t>(lines.size()) ||
                        lines[static_cast<std::size_t>(number - 1)] != line ||
                        (!handed.empty() && number <= handed.back()))
                        ok = false;
                    handed.push_back(number);
                    return number % 2 == 0 ? LineFlow::PassOver : LineFlow::Next;
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

/// Lines the quiet-pair skipper passed over since the count was last set to 0.
std::int64_t linesPassedOver = 0;

PassedOver countingSkipper(const char* data, std::size_t begin, std::size_t end) {
    const PassedOver passed = quietPairSkipper()(data, begin, end);
    linesPassedOver += passed.lines;
    return passed;
}

TEST(QuietPairs, TheFillerOfADrawingIsPassedOverNotReadPairByPair) {
    // LINE entities as AutoCAD writes them, in each place where a drawing holds many: in
    // BLOCKS (outside any section the scan reads), in ENTITIES around a TEXT, and in OBJECTS
    // as objects other than GROUPs. Nearly all of their lines must be passed over; a pair is
    // handed out only where a 64-byte span cuts a (0, NAME) pair, or after a loud pair.
    std::string lines;
    for (int i = 0; i < 2000; ++i) {
        lines += "  0\r\nLINE\r\n  5\r\n" + std::to_string(1000 + i) + "\r\n330\r\n1F\r\n100\r\nAcDbEntity\r\n"
                 "  8\r\nwalls\r\n100\r\nAcDbLine\r\n 10\r\n" + std::to_string(i % 977) + ".25\r\n 20\r\n" +
                 std::to_string(i % 331) + ".5\r\n 30\r\n0.0\r\n 11\r\n12.0\r\n 21\r\n-4.75\r\n 31\r\n0.0\r\n";
    }
    const std::int64_t fillerLines = 2000 * 26;
    std::string objects;
    for (int i = 0; i < 2000; ++i)
        objects += "  0\r\nDICTIONARY\r\n  5\r\nD" + std::to_string(i) + "\r\n330\r\n0\r\n100\r\nAcDbDictionary\r\n"
                   "280\r\n1\r\n281\r\n1\r\n  3\r\nACAD_GROUP\r\n350\r\nD0\r\n";
    const std::string text = test::textEntity("A1", "bolt", "0", "0");
    struct Case {
        const char* name;
        std::string drawing;
    };
    const Case cases[] = {
        {"LINEs in BLOCKS", "  0\nSECTION\n  2\nBLOCKS\n" + lines + "  0\nENDSEC\n" +
                                test::drawing(text, test::groupObject({"A1"}))},
        {"LINEs in ENTITIES", test::drawing(lines + text + lines, test::groupObject({"A1"}))},
        {"other objects in OBJECTS", test::drawing(text, objects + test::groupObject({"A1"}) + objects)},
    };
    test::withEachInstructionSet([&] {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            MemorySource source(c.drawing);
            StringSink sink;
            LineReader reader(source, LineReader::kDefaultBlock, "d.dxf", LineReader::kLongestLine, countingSkipper);
            linesPassedOver = 0;
            convertLines(reader, sink, 100, CsvEncoding::Drawing, "d.dxf");
            EXPECT_EQ(sink.data(), "bolt\r\n");
            // Each case holds at least the lines of 2000 LINEs or of 2000 objects alike.
            EXPECT_GT(linesPassedOver, fillerLines * 9 / 10);
        }
    });
}

} // namespace
} // namespace dxf2csv
