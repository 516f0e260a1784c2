// Whole runs over small drawn tables: the CSV and the report of ruled tables, the automatic
// choice between grouped and ruled tables, and the failures of drawn geometry.

#include "drawn_table_drawing.h"
#include "run/conversion_run.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace dxf2csv {
namespace {

using namespace test::dxf;

/// A 3x3 table of 10 by 5 cells with its top-left corner at (x, y), its texts named
/// `prefix` and the row and column.
std::string table3x3(double x, double y, const std::string& prefix) {
    std::string out = grid({x, x + 10, x + 20, x + 30}, {y, y - 5, y - 10, y - 15});
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            out += text(prefix + std::to_string(r + 1) + std::to_string(c + 1), x + 5 + c * 10, y - 2.5 - r * 5);
    return out;
}

struct Ruled {
    std::string csv;
    std::vector<std::string> report;
};

Ruled convertRuled(const std::string& drawing, TableSource tables = TableSource::Ruled,
                   CsvEncoding encoding = CsvEncoding::Utf8) {
    MemorySource source(drawing);
    StringSink sink;
    Ruled result;
    result.report = convertDrawing(source, sink, {"100", encoding, tables}, "t.dxf").lines();
    result.csv = sink.data();
    return result;
}

TEST(RuledTables, DrawnTablesBecomeRowsAndColumns) {
    struct Case {
        const char* name;
        std::string entities;
        std::string blocks;
        const char* csv;
    };
    const std::string header = grid({0, 30}, {10, 5}) + text("部品表", 15, 7.5) + table3x3(0, 5, "a");
    // The same table in a block, mirrored and then turned a quarter to the left: on the
    // sheet its columns become rows, read from the top of the sheet.
    const Case cases[] = {
        {"3x3", table3x3(0, 0, "a"), "", "a11,a12,a13\r\na21,a22,a23\r\na31,a32,a33\r\n"},
        {"a merged header over three columns", header, "", "部品表,,\r\na11,a12,a13\r\na21,a22,a23\r\na31,a32,a33\r\n"},
        {"drawn as one closed polyline and inner lines",
         "  0\nLWPOLYLINE\n  8\n0\n 90\n4\n 70\n1\n 10\n0\n 20\n0\n 10\n20\n 20\n0\n 10\n20\n 20\n10\n 10\n0\n 20\n10\n" +
             line(10, 0, 10, 10) + line(0, 5, 20, 5) + text("a", 5, 7.5) + text("b", 15, 7.5) + text("c", 5, 2.5) +
             text("d", 15, 2.5),
         "", "a,b\r\nc,d\r\n"},
        {"two tables side by side, left first", table3x3(100, 0, "r") + table3x3(0, 0, "l"), "",
         "l11,l12,l13\r\nl21,l22,l23\r\nl31,l32,l33\r\nr11,r12,r13\r\nr21,r22,r23\r\nr31,r32,r33\r\n"},
        {"in a block turned and mirrored", insert("T", 100, 100, -1, 1, 90), block("T", table3x3(0, 0, "a")),
         "a11,a21,a31\r\na12,a22,a32\r\na13,a23,a33\r\n"},
        {"texts of one cell: one line joined by a space, lines by a line feed",
         grid({0, 40, 50}, {10, 0}) + text("M8", 5, 7.5) + text("bolt", 20, 7.5) + text(" 89.37804", 20, 2.5) +
             text("2", 45, 5),
         "", "\"M8 bolt\n 89.37804\",2\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(convertRuled(drawing(c.entities, c.blocks)).csv, c.csv);
    }
}

TEST(RuledTables, GoldenTitleBlockAndPartsList) {
    // A Shift-JIS drawing without GROUPs (made by tests/data/ruled/make_title_block.py): a parts
    // list as a closed polyline and lines in pieces, a title block in the corner of a sheet
    // frame, its entries as ATTRIB values, an MTEXT of two lines, a %%c text.
    const std::string folder = std::string(TEST_DATA_DIR) + "/ruled";
    test::TempDir dir;
    const RunReport report = convertFile(folder + "/title_block.dxf", dir.path("out.csv"), {});
    EXPECT_EQ(report.text(), test::readFile(folder + "/title_block.report"));
    EXPECT_EQ(test::readFile(dir.path("out.csv")), test::readFile(folder + "/title_block.csv"));
}

TEST(RuledTables, TheReportCountsTablesAndTheirTexts) {
    const std::string entities = table3x3(0, 0, "a") + grid({50, 60, 70}, {0, -5}) + text("x", 55, -2.5) +
                                 text("outside every cell", 200, 200);
    const std::vector<std::string> expected = {
        "認識した要素数 : 11", "表1 : 3 行 × 3 列、文字 9 個", "表2 : 1 行 × 2 列、文字 1 個",
        "表の見つけ方 : 罫線", "計上した材料の総数 : 10", "処理終了"};
    EXPECT_EQ(convertRuled(drawing(entities)).report, expected);

    const std::vector<std::string> none = {"認識した要素数 : 1", "表が見つかりませんでした", "表の見つけ方 : 罫線",
                                           "計上した材料の総数 : 0", "処理終了"};
    const Ruled nothing = convertRuled(drawing(text("alone", 0, 0)));
    EXPECT_EQ(nothing.report, none);
    EXPECT_EQ(nothing.csv, "");
}

TEST(TablesAuto, GroupsWinWhereAGroupHoldsATextElseTheRules) {
    const std::string drawnTable = table3x3(0, 0, "a");
    const std::string grouped = test::drawing(drawnTable + test::textEntity("G1", "grouped", "0", "900"),
                                              test::groupObject({"G1"}));
    const std::string ungrouped = test::drawing(drawnTable, test::groupObject({"NOTEXT"}));
    struct Case {
        const char* name;
        std::string drawing;
        const char* csv;
        const char* last; // the report's line before its total
    };
    const Case cases[] = {
        {"a GROUP holding a TEXT", grouped, "grouped\r\n", "計上した材料数 : 1"},
        {"a GROUP of no TEXT", ungrouped, "a11,a12,a13\r\na21,a22,a23\r\na31,a32,a33\r\n", "表の見つけ方 : 罫線"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Read once from memory, and twice from a file (groups first, then the rules).
        const Ruled once = convertRuled(c.drawing, TableSource::Auto, CsvEncoding::Drawing);
        EXPECT_EQ(once.csv, c.csv);
        EXPECT_EQ(once.report.at(once.report.size() - 3), c.last);
        test::TempDir dir;
        test::writeFile(dir.path("a.dxf"), c.drawing);
        const RunReport twice = convertFile(dir.path("a.dxf"), dir.path("a.csv"), {"100", CsvEncoding::Drawing, TableSource::Auto});
        EXPECT_EQ(test::readFile(dir.path("a.csv")), c.csv);
        EXPECT_EQ(twice.lines(), once.report);
    }
    // Grouped tables, chosen or asked for, give the report they always gave.
    EXPECT_EQ(test::convert(grouped, "100", TableSource::Auto).report,
              (std::vector<std::string>{"認識した要素数 : 10（５０００要素以下が必須！！）", "計上した材料数 : 1",
                                        "計上した材料の総数 : 1", "処理終了"}));
}

TEST(TablesAuto, BadGeometryFailsOnlyADrawingWhoseTablesAreRuled) {
    // A block placed at a scale of 0: grouped tables are given from a file and from a source
    // read once alike; without a GROUP the drawing fails.
    const std::string blocks = "  0\nSECTION\n  2\nBLOCKS\n" + block("B", line(0, 0, 1, 0)) + "  0\nENDSEC\n";
    const std::string flat = insert("B", 0, 0, 0, 1);
    const std::string grouped = blocks + test::drawing(flat + test::textEntity("G1", "bolt", "0", "0"), test::groupObject({"G1"}));
    EXPECT_EQ(convertRuled(grouped, TableSource::Auto, CsvEncoding::Drawing).csv, "bolt\r\n");
    test::TempDir dir;
    test::writeFile(dir.path("a.dxf"), grouped);
    convertFile(dir.path("a.dxf"), dir.path("a.csv"), {});
    EXPECT_EQ(test::readFile(dir.path("a.csv")), "bolt\r\n");
    const auto failure = test::failureOf(blocks + test::drawing(flat, ""), "100", TableSource::Auto);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->kind(), FailureKind::NumberOutOfRange);
}

TEST(TablesAuto, ManyTextsDoNotFailADrawingWithAGroupedList) {
    // 20,000 labels and a parts list of three grouped TEXTs: the list, where grouped tables
    // alone stop at the 5001st TEXT.
    std::string entities;
    for (int i = 0; i < 20000; ++i) entities += test::textEntity("L" + std::to_string(i), "label", "0", "0");
    entities += test::textEntity("P1", "bolt", "0", "1000") + test::textEntity("P2", "M8", "500", "1000") +
                test::textEntity("P3", "nut", "0", "0");
    const std::string d = test::drawing(entities, test::groupObject({"P3", "P2", "P1"}));
    EXPECT_EQ(convertRuled(d, TableSource::Auto, CsvEncoding::Drawing).csv, "bolt,M8\r\nnut\r\n");
    const auto failure = test::failureOf(d);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->kind(), FailureKind::RowOutOfRange);
}

TEST(RuledTables, BadGeometryFailsNamingItsLineAndWritesNothing) {
    struct Case {
        const char* name;
        std::string drawing;
        FailureKind kind;
        std::int64_t line;
    };
    // The header and the section's start take 18 lines; each entity's lines follow (a LINE
    // of line() takes 12).
    const Case cases[] = {
        {"a coordinate that is no number", drawing(line(0, 0, 10, 0) + "  0\nLINE\n 10\nleft\n"), FailureKind::NotANumber, 34},
        {"a coordinate of 1e300", drawing("  0\nLINE\n 10\n1e300\n"), FailureKind::NumberOutOfRange, 22},
        {"a scale of 0", drawing(insert("B", 0, 0, 0, 1), block("B", line(0, 0, 1, 0))), FailureKind::NumberOutOfRange, 0},
        {"a block placing itself", drawing(insert("A", 0, 0), block("A", insert("B", 0, 0)) + block("B", insert("A", 0, 0))),
         FailureKind::BlockPlacesItself, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        test::writeFile(dir.path("a.dxf"), c.drawing);
        test::writeFile(dir.path("a.csv"), "old\r\n");
        try {
            convertFile(dir.path("a.dxf"), dir.path("a.csv"), {"100", CsvEncoding::Drawing, TableSource::Ruled});
            ADD_FAILURE() << "the run succeeded";
        } catch (const RunFailure& failure) {
            EXPECT_EQ(failure.kind(), c.kind) << failure.what();
            if (c.line != 0) {
                EXPECT_EQ(failure.line(), c.line) << failure.what();
            }
        }
        EXPECT_EQ(test::readFile(dir.path("a.csv")), "old\r\n");
    }
}

} // namespace
} // namespace dxf2csv
