// Whole runs over small inline drawings: sections, pairs, the report and the fresh start.

#include "read_every_pair.h"
#include "run/conversion_run.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace dxf2csv {
namespace {

using test::convert;
using test::drawing;
using test::failureOf;
using test::groupObject;
using test::textEntity;

using Lines = std::vector<std::string>;

std::string recognized(int n) { return "認識した要素数 : " + std::to_string(n) + "（５０００要素以下が必須！！）"; }
std::string groupCount(int n) { return "計上した材料数 : " + std::to_string(n); }
std::string total(int n) { return "計上した材料の総数 : " + std::to_string(n); }
const std::string kFinished = "処理終了";

std::string replaceAll(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

TEST(ConversionRun, WholeDrawings) {
    struct Case {
        const char* name;
        std::string drawing;
        const char* csv;
        Lines report;
    };
    const std::string one = textEntity("A1", "bolt", "0", "0");
    const Case cases[] = {
        {"a comment before the first section", "999\nmade by hand\n" + drawing(one, groupObject({"A1"})), "bolt\r\n",
         {recognized(1), groupCount(1), total(1), kFinished}},
        {"no OBJECTS section", "  0\nSECTION\n  2\nENTITIES\n" + one + "  0\nENDSEC\n  0\nEOF\n", "",
         {total(0), kFinished}},
        {"one grouped text", drawing(one, groupObject({"A1"})), "bolt\r\n",
         {recognized(1), groupCount(1), total(1), kFinished}},
        {"blank line after EOF is never read", drawing(one, groupObject({"A1"})) + "\n", "bolt\r\n",
         {recognized(1), groupCount(1), total(1), kFinished}},
        {"anything after EOF is never read", drawing(one, groupObject({"A1"})) + "trash\x01\xff", "bolt\r\n",
         {recognized(1), groupCount(1), total(1), kFinished}},
        {"UTF-8 byte-order mark skipped", "\xEF\xBB\xBF" + drawing(one, groupObject({"A1"})), "bolt\r\n",
         {recognized(1), groupCount(1), total(1), kFinished}},
        {"TEXT in BLOCKS is not captured",
         "  0\nSECTION\n  2\nBLOCKS\n" + textEntity("B1", "block", "0", "0") + "  0\nENDSEC\n" +
             drawing(one, groupObject({"B1", "A1"})),
         "bolt\r\n", {recognized(1), groupCount(1), total(1), kFinished}},
        {"GROUP last in OBJECTS is written", drawing(one, groupObject({"A1"})), "bolt\r\n",
         {recognized(1), groupCount(1), total(1), kFinished}},
        {"GROUP open at the section's end without EOF is written",
         "  0\nSECTION\n  2\nENTITIES\n" + one + "  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS\n" + groupObject({"A1"}) +
             "  0\nENDSEC\n",
         "bolt\r\n", {recognized(1), groupCount(1), total(1), kFinished}},
        {"GROUP open at EOF without ENDSEC is written",
         "  0\nSECTION\n  2\nENTITIES\n" + one + "  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS\n" +
             groupObject({"A1"}) + "  0\nEOF\n",
         "bolt\r\n", {recognized(1), groupCount(1), total(1), kFinished}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = convert(c.drawing);
        EXPECT_EQ(result.csv, c.csv);
        EXPECT_EQ(result.report, c.report);
    }
}

TEST(ConversionRun, EveryKindOfLineEndReadsAlike) {
    const std::string lf = drawing(textEntity("A1", "a", "0", "0") + textEntity("A2", "b", "5", "0"),
                                   groupObject({"A2", "A1"}));
    for (const char* end : {"\n", "\r\n", "\r"}) {
        SCOPED_TRACE(testing::PrintToString(end));
        const auto result = convert(replaceAll(lf, "\n", end));
        EXPECT_EQ(result.csv, "a,b\r\n");
        EXPECT_EQ(result.report, (Lines{recognized(2), groupCount(2), total(2), kFinished}));
    }
}

TEST(ConversionRun, SectionKeywordsCountOnlyAsSectionNames) {
    struct Case {
        const char* name;
        std::string entities;
        Lines report;
        const char* csv;
    };
    // Texts, layers and group descriptions that begin with a keyword change nothing.
    const Case cases[] = {
        {"text beginning with OBJECTS",
         textEntity("A1", "OBJECTS LIST", "0", "100") + textEntity("A2", "after", "0", "0"),
         {recognized(2), groupCount(2), total(2), kFinished}, "OBJECTS LIST\r\nafter\r\n"},
        {"text ENDSEC and ENTITIES",
         textEntity("A1", "ENDSEC", "0", "100") + textEntity("A2", "ENTITIES", "0", "0"),
         {recognized(2), groupCount(2), total(2), kFinished}, "ENDSEC\r\nENTITIES\r\n"},
        {"layer named ENDSEC",
         "  0\nTEXT\n  5\nA1\n  8\nENDSEC\n  1\nx\n 73\n2\n" + textEntity("A2", "y", "0", "-500"),
         {recognized(2), groupCount(2), total(2), kFinished}, "x\r\ny\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = convert(drawing(c.entities, groupObject({"A1", "A2"})));
        EXPECT_EQ(result.report, c.report);
        EXPECT_EQ(result.csv, c.csv);
    }

    // A section name is matched by its beginning, exactly.
    const std::string longName = "  0\nSECTION\n  2\nENTITIESX\n" + textEntity("A1", "a", "0", "0") +
                                 "  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS\n" + groupObject({"A1"}) + "  0\nENDSEC\n";
    EXPECT_EQ(convert(longName).csv, "a\r\n");
    const std::string blankFirst = "  0\nSECTION\n  2\n ENTITIES\n" + textEntity("A1", "a", "0", "0") +
                                   "  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS\n" + groupObject({"A1"}) + "  0\nENDSEC\n";
    EXPECT_EQ(convert(blankFirst).report, (Lines{recognized(0), total(0), kFinished}));
}

TEST(ConversionRun, RecognizedCountIsTheNumberOfTextsAfterEveryFlush) {
    // A second OBJECTS section after a flush still reports the TEXTs of ENTITIES.
    const std::string d = drawing(textEntity("A1", "a", "0", "0") + textEntity("A2", "b", "0", "0") +
                                      textEntity("A3", "c", "0", "0"),
                                  groupObject({"A1", "A2"})) ;
    const std::string twice = d.substr(0, d.size() - std::string("  0\nEOF\n").size()) +
                              "  0\nSECTION\n  2\nOBJECTS\n" + groupObject({"A3"}) + "  0\nENDSEC\n  0\nEOF\n";
    EXPECT_EQ(convert(twice).report,
              (Lines{recognized(3), groupCount(2), recognized(3), groupCount(1), total(3), kFinished}));
}

TEST(ConversionRun, EveryRunStartsFromAFreshStateInEveryRow) {
    // The second drawing's TEXT in `row` lacks a group: it must not take the value that the
    // first drawing left in that row, wherever the row lies (the last one included).
    struct Case {
        const char* name;
        int row;          // 1..3, the TEXT of the second drawing that lacks the group
        const char* lacks; // "21" or "73"
        const char* csv;
        bool warned;      // the report warns about an uncentred text
    };
    const Case cases[] = {
        {"first row without 21", 1, "21", "b\r\na\r\nc\r\n", false},
        {"last row without 21", 3, "21", "a\r\nb\r\nc\r\n", false},
        {"last row without 73", 3, "73", "a\r\nb\r\nc\r\n", true},
    };
    // First drawing: three centred texts high on the sheet.
    const std::string first = drawing(textEntity("A1", "x", "0", "900") + textEntity("A2", "y", "0", "800") +
                                          textEntity("A3", "z", "0", "700"),
                                      groupObject({"A1", "A2", "A3"}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Second drawing: a at 500, b at 300, c at 100; a missing 21 leaves Y at 0.
        const char* y[] = {"500", "300", "100"};
        const char* names[] = {"a", "b", "c"};
        std::string entities;
        for (int row = 1; row <= 3; ++row) {
            std::string text = "  0\nTEXT\n  5\nB" + std::to_string(row) + "\n  1\n" + names[row - 1] + "\n 10\n0\n";
            if (row != c.row || std::string(c.lacks) != "21") text += " 21\n" + std::string(y[row - 1]) + "\n";
            if (row != c.row || std::string(c.lacks) != "73") text += " 73\n2\n";
            entities += text;
        }
        const std::string second = drawing(entities, groupObject({"B1", "B2", "B3"}));
        for (const std::string* d : {&first, &second}) {
            MemorySource source(*d);
            StringSink sink;
            const RunReport report = convertDrawing(source, sink, {}, "run.dxf");
            if (d == &second) {
                EXPECT_EQ(sink.data(), c.csv);
                EXPECT_EQ(report.lines().at(1) == "警告！！垂直方向の文字位置が中央設定されていない。", c.warned);
            }
        }
    }
}

TEST(ConversionRun, NameAfterCode2CountsOnlyRightAfterSection) {
    // A pair of group code 2 elsewhere (a dimension style, a block name, an object's name)
    // changes neither the section nor the reading of the header.
    struct Case {
        const char* name;
        std::string drawing;
        const char* csv;
        Lines report;
    };
    const std::string text = textEntity("A1", "caf\xE9", "0", "0", " 73\n0\n");
    const std::string entitiesToObjects = "  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS\n";
    const Case cases[] = {
        {"2 STANDARD of $DIMSTYLE before $DWGCODEPAGE",
         "  0\nSECTION\n  2\nHEADER\n  9\n$DIMSTYLE\n  2\nSTANDARD\n  9\n$DWGCODEPAGE\n  3\nANSI_1252\n"
         "  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n" + text + entitiesToObjects + groupObject({"A1"}) + "  0\nENDSEC\n",
         "caf\xE9\r\n", {recognized(1), "警告！！垂直方向の文字位置が中央設定されていない。", "café", groupCount(1), total(1), kFinished}},
        {"2 HEADER in TABLES does not open the header",
         "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nHEADER\n  9\n$DWGCODEPAGE\n  3\nANSI_1252\n  0\nENDSEC\n"
         "  0\nSECTION\n  2\nENTITIES\n" + textEntity("A1", "\x83\x7B", "0", "0", " 73\n0\n") + entitiesToObjects +
             groupObject({"A1"}) + "  0\nENDSEC\n",
         "\x83\x7B\r\n", {recognized(1), "警告！！垂直方向の文字位置が中央設定されていない。", "ボ", groupCount(1), total(1), kFinished}},
        {"2 OBJECTS as a block name inside ENTITIES",
         "  0\nSECTION\n  2\nENTITIES\n  0\nINSERT\n  2\nOBJECTS\n" + textEntity("A1", "a", "0", "0") +
             entitiesToObjects + groupObject({"A1"}) + "  0\nENDSEC\n",
         "a\r\n", {recognized(1), groupCount(1), total(1), kFinished}},
        {"2 ENTITIES in the middle of OBJECTS",
         "  0\nSECTION\n  2\nENTITIES\n" + textEntity("A1", "a", "0", "0") + textEntity("A2", "b", "0", "0") +
             entitiesToObjects + groupObject({"A1"}) + "  0\nXRECORD\n  2\nENTITIES\n" + groupObject({"A2"}) +
             "  0\nENDSEC\n",
         "a\r\nb\r\n", {recognized(2), groupCount(1), groupCount(1), total(2), kFinished}},
        {"a pair between SECTION and its name",
         "  0\nSECTION\n999\nnote\n  2\nENTITIES\n" + textEntity("A1", "a", "0", "0") + entitiesToObjects +
             groupObject({"A1"}) + "  0\nENDSEC\n",
         "", {recognized(0), total(0), kFinished}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = convert(c.drawing);
        EXPECT_EQ(result.csv, c.csv);
        EXPECT_EQ(result.report, c.report);
    }
}

TEST(ConversionRun, Failures) {
    struct Case {
        const char* name;
        std::string drawing;
        std::string tolerance;
        FailureKind kind;
        std::int64_t line;
    };
    const std::string good = drawing(textEntity("A1", "a", "0", "0"), groupObject({"A1"}));
    const Case cases[] = {
        {"blank line at the end without EOF", "  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n\n", "100",
         FailureKind::NotANumber, 7},
        {"odd number of lines", "  0\nSECTION\n  2\n", "100", FailureKind::InputEndsInsidePair, 3},
        {"group code not a number", "  0\nSECTION\nab\nHEADER\n", "100", FailureKind::NotANumber, 3},
        {"group code out of range", "  0\nSECTION\n40000\nx\n", "100", FailureKind::NumberOutOfRange, 3},
        {"an empty file", "", "100", FailureKind::NotAsciiDxf, 0},
        {"a picture", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR", "100", FailureKind::NotAsciiDxf, 1},
        {"a first pair that opens no section", "  9\n$ACADVER\n  1\nAC1015\n", "100", FailureKind::NotAsciiDxf, 1},
        // Copied while still being written: the last line read is named.
        {"cut off inside a section", good.substr(0, good.find("  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS")), "100",
         FailureKind::DrawingCutOff, 30},
        {"cut off inside OBJECTS", good.substr(0, good.rfind("  0\nENDSEC")), "100", FailureKind::DrawingCutOff, 48},
        // Regression: the line named was the last one read pair by pair, not the last one passed
        // over, so the same drawing written with blanks after its codes named another line.
        {"cut off after pairs passed over",
         "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\n0\n 10\n1\n 20\n2\n 11\n3\n 21\n4\n", "100",
         FailureKind::DrawingCutOff, 16},
        {"empty tolerance", good, "", FailureKind::NotANumber, 0},
        {"tolerance out of range", good, "32768", FailureKind::NumberOutOfRange, 0},
        {"binary DXF", std::string("AutoCAD Binary DXF\r\n\x1a", 22) + std::string(10, '\0'), "100",
         FailureKind::BinaryDxf, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto failure = failureOf(c.drawing, c.tolerance);
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->kind(), c.kind) << failure->what();
        EXPECT_EQ(failure->line(), c.line);
        EXPECT_EQ(failure->file(), "test.dxf");
    }
}

TEST(ConversionRun, ReportShowsTextsInTheDrawingsCharacterSet) {
    struct Case {
        const char* name;
        std::string header;  // HEADER pairs
        std::string content; // the drawing's bytes
        std::string shown;   // the report's UTF-8
    };
    const std::string sjis = "\x83\x7B\x83\x8B\x83\x67"; // ボルト in CP932
    const Case cases[] = {
        {"declared ANSI_932", "  9\n$ACADVER\n  1\nAC1015\n  9\n$DWGCODEPAGE\n  3\nANSI_932\n", sjis, "ボルト"},
        {"declared ANSI_1252", "  9\n$ACADVER\n  1\nAC1015\n  9\n$DWGCODEPAGE\n  3\nANSI_1252\n", "caf\xE9", "café"},
        {"AC1021 is UTF-8 whatever the page", "  9\n$ACADVER\n  1\nAC1021\n  9\n$DWGCODEPAGE\n  3\nANSI_932\n",
         "ボルト", "ボルト"},
        {"bad UTF-8 in AC1021", "  9\n$ACADVER\n  1\nAC1032\n", "a\xFF" "b", "a\xEF\xBF\xBD" "b"},
        {"4-byte UTF-8 in AC1021", "  9\n$ACADVER\n  1\nAC1021\n", "\xF0\xA0\xAE\x9F\xE3\x82\x8B \xF0\x9F\x94\xA9",
         "\xF0\xA0\xAE\x9F\xE3\x82\x8B \xF0\x9F\x94\xA9"}, // 𠮟る 🔩
        {"nothing declared, valid UTF-8", "", "ボルト", "ボルト"},
        {"nothing declared, not UTF-8", "", sjis, "ボルト"},
        {"bytes that do not convert", "  9\n$DWGCODEPAGE\n  3\nANSI_932\n", "x\x80y", "x\xEF\xBF\xBDy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string d = "  0\nSECTION\n  2\nHEADER\n" + c.header + "  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n" +
                              textEntity("A1", c.content, "0", "0", " 73\n0\n") +
                              "  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS\n" + groupObject({"A1"}) + "  0\nENDSEC\n";
        const auto result = convert(d);
        EXPECT_EQ(result.csv, c.content + "\r\n"); // the CSV keeps the drawing's bytes
        ASSERT_GE(result.report.size(), 3u);
        EXPECT_EQ(result.report[2], c.shown);
    }
}

struct Outcome {
    std::string csv;
    std::string report;
    std::string failure;
};

Outcome outcomeOf(const std::string& bytes) {
    MemorySource source(bytes);
    StringSink sink;
    Outcome outcome;
    try {
        outcome.report = convertDrawing(source, sink, {}, "d.dxf").text();
    } catch (const RunFailure& failure) {
        outcome.failure = std::string(kindName(failure.kind())) + " at " + std::to_string(failure.line());
    }
    outcome.csv = sink.data();
    return outcome;
}

TEST(ConversionRun, PassingOverQuietPairsChangesNoOutcome) {
    // The real drawings, and what the fuzzer found in this comparison (tests/data/regressions).
    std::vector<std::string> files = {std::string(TEST_DATA_DIR) + "/two_tables.dxf"};
    for (const char* folder : {"/corpus", "/regressions"})
        for (const auto& entry : std::filesystem::directory_iterator(std::string(TEST_DATA_DIR) + folder))
            if (entry.path().extension() == ".dxf") files.push_back(entry.path().string());
    ASSERT_GE(files.size(), 40u);
    test::withEachInstructionSet([&] {
        for (const std::string& file : files) {
            SCOPED_TRACE(file);
            const std::string bytes = test::readFile(file);
            const Outcome fast = outcomeOf(bytes);
            const Outcome slow = outcomeOf(test::withBlankAfterEveryCode(bytes));
            EXPECT_EQ(fast.failure, slow.failure);
            EXPECT_EQ(fast.report, slow.report);
            EXPECT_EQ(fast.csv, slow.csv);
        }
    });
}

TEST(ConversionRun, HeaderVariablesCountOnlyInTheHeaderSection) {
    // Regression: found by the fuzzer, a $DWGCODEPAGE in another section was read when its
    // pairs were read one by one and not when they were passed over.
    const std::string sjis = "\x83\x7B\x83\x8B\x83\x67"; // ボルト in CP932
    for (const char* section : {"HEADER", "TABLES"}) {
        SCOPED_TRACE(section);
        const std::string d = std::string("  0\nSECTION\n  2\n") + section +
                              "\n  9\n$DWGCODEPAGE\n  3\nANSI_1252\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n" +
                              textEntity("A1", sjis, "0", "0", " 73\n0\n") +
                              "  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS\n" + groupObject({"A1"}) + "  0\nENDSEC\n";
        const auto result = convert(d);
        ASSERT_GE(result.report.size(), 3u);
        EXPECT_EQ(result.report[2], std::string(section) == "HEADER" ? "ƒ{ƒ‹ƒg" : "ボルト");
    }
}

TEST(ConversionRun, GoldenReportBytes) {
    const std::string folder = TEST_DATA_DIR;
    test::TempDir dir;
    const std::string golden = test::readFile(folder + "/two_tables.report");
    const RunReport report = convertFile(folder + "/two_tables.dxf", dir.path("two_tables.dxf.csv"),
                                         {"100", CsvEncoding::Drawing, TableSource::Grouped});
    EXPECT_EQ(report.text(), golden);
    EXPECT_EQ(test::readFile(dir.path("two_tables.dxf.csv")), test::readFile(folder + "/two_tables.csv"));
    // Chosen automatically, the same CSV and report.
    const RunReport automatic = convertFile(folder + "/two_tables.dxf", dir.path("auto.csv"), {});
    EXPECT_EQ(automatic.text(), golden);
    EXPECT_EQ(test::readFile(dir.path("auto.csv")), test::readFile(folder + "/two_tables.csv"));
}

} // namespace
} // namespace dxf2csv
