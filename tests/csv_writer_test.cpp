// The CSV in each encoding: the drawing's bytes, or its texts as the drawing shows them.

#include "run/conversion_run.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace dxf2csv {
namespace {

using test::convert;
using test::drawing;
using test::groupObject;
using test::textEntity;

/// A drawing of one row of grouped texts, with `header` as its HEADER pairs.
std::string rowDrawing(const std::string& header, const std::vector<std::string>& contents) {
    std::string entities;
    std::vector<std::string> handles;
    for (std::size_t k = 0; k < contents.size(); ++k) {
        handles.push_back("H" + std::to_string(k));
        entities += textEntity(handles.back(), contents[k], std::to_string(k * 100), "0");
    }
    return "  0\nSECTION\n  2\nHEADER\n" + header + "  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n" + entities +
           "  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS\n" + groupObject(handles) + "  0\nENDSEC\n  0\nEOF\n";
}

TEST(CsvEncoding, EachEncodingWritesTheTextsAsTheDrawingShowsThem) {
    const std::string shiftJis = "  9\n$ACADVER\n  1\nAC1015\n  9\n$DWGCODEPAGE\n  3\nANSI_932\n";
    const std::string utf8 = "  9\n$ACADVER\n  1\nAC1027\n  9\n$DWGCODEPAGE\n  3\nANSI_932\n";
    // ボルト in CP932, and a cell whose code %%044 is a comma.
    const std::vector<std::string> sjisCells = {"\x83\x7B\x83\x8B\x83\x67 %%c8", "a%%044b"};
    const std::vector<std::string> utf8Cells = {"ボルト %%c8", "\\U+9053\\U+8DEF"};
    struct Case {
        const char* name;
        std::string drawing;
        const char* encoding;
        std::string csv;
    };
    const Case cases[] = {
        {"drawing: the bytes as they are", rowDrawing(shiftJis, sjisCells), "drawing",
         "\x83\x7B\x83\x8B\x83\x67 %%c8,a%%044b\r\n"},
        {"utf-8 from Shift-JIS, quoted after decoding", rowDrawing(shiftJis, sjisCells), "utf-8", "ボルト φ8,\"a,b\"\r\n"},
        {"utf-8-bom", rowDrawing(shiftJis, sjisCells), "utf-8-bom", "\xEF\xBB\xBFボルト φ8,\"a,b\"\r\n"},
        {"cp932 from Shift-JIS", rowDrawing(shiftJis, sjisCells), "cp932", "\x83\x7B\x83\x8B\x83\x67 \x83\xD3" "8,\"a,b\"\r\n"},
        {"cp932 from a UTF-8 drawing", rowDrawing(utf8, utf8Cells), "SJIS", "\x83\x7B\x83\x8B\x83\x67 \x83\xD3" "8,\x93\xB9\x98\x48\r\n"},
        {"utf-8 from a UTF-8 drawing", rowDrawing(utf8, utf8Cells), "utf-8", "ボルト φ8,道路\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto encoding = csvEncodingNamed(c.encoding);
        ASSERT_TRUE(encoding);
        MemorySource source(c.drawing);
        StringSink sink;
        convertDrawing(source, sink, {"100", *encoding}, "d.dxf");
        EXPECT_EQ(sink.data(), c.csv);
    }
    EXPECT_FALSE(csvEncodingNamed("latin-1"));
}

TEST(CsvEncoding, ACharacterThatCp932LacksFailsNamingItsLineAndTheCharacter) {
    // The second text (its content on line 14 + 16 + 12) holds a bolt emoji and a won sign.
    const std::string d = rowDrawing("  9\n$ACADVER\n  1\nAC1027\n", {"ナット", "M8 \\U+D83D\\U+DD29 ₩"});
    MemorySource source(d);
    StringSink sink;
    try {
        convertDrawing(source, sink, {"100", CsvEncoding::Cp932}, "d.dxf");
        FAIL() << "no failure";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.kind(), FailureKind::NotInCodePage);
        EXPECT_EQ(failure.line(), 14 + 16 + 12);
        EXPECT_EQ(failure.detail(), "\"🔩\" (U+1F529) cannot be written in CP932");
    }
}

TEST(CsvWriter, QuotesOnlyFieldsThatNeedIt) {
    const std::string entities = textEntity("A", "ワッシャー, 平", "0", "0") + textEntity("B", "3/8\" pipe", "10", "0") +
                                 textEntity("C", " plain ", "20", "0") + textEntity("D", "", "30", "0");
    const auto result = convert(drawing(entities, groupObject({"A", "B", "C", "D"})));
    EXPECT_EQ(result.csv, "\"ワッシャー, 平\",\"3/8\"\" pipe\", plain ,\r\n");
}

} // namespace
} // namespace dxf2csv
