// AutoCAD tables (ACAD_TABLE) given from their own data, and their drawing block placed
// instead where that data cannot stand on the sheet as a table.

#include "ruled/table_entity.h"

#include "sheet_reading.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dxf2csv::ruled {
namespace {

using test::drawingOf;
using test::lineOf;
using test::readSheets;

/// The block that draws the table: its frame and one text.
const std::string kTableBlock =
    "0\nBLOCK\n2\n*T1\n70\n1\n10\n0\n20\n0\n"
    "0\nLINE\n10\n0\n20\n0\n11\n75\n21\n0\n"
    "0\nLINE\n10\n0\n20\n0\n11\n0\n21\n-18\n"
    "0\nMTEXT\n10\n37\n20\n-5\n40\n2\n71\n5\n1\nParts list (drawn)\n"
    "0\nENDBLK\n";

/// An ACAD_TABLE of 2 rows (10 and 8 high) and 3 columns (30, 20 and 25 wide) at (100, 200):
/// a title merged across the first row, then an AutoCAD 2007 cell value, a text in pieces and
/// an empty block cell. `header` and `cells` replace their parts.
std::string table(std::string_view extra = "", std::string_view header = "", std::string_view cells = "") {
    std::string out =
        "0\nACAD_TABLE\n5\n528\n100\nAcDbEntity\n8\n0\n";
    out += extra;
    out += "92\n4044\n310\n00FF\n100\nAcDbBlockReference\n2\n*T1\n10\n100\n20\n200\n30\n0\n100\nAcDbTable\n280\n0\n";
    out += header.empty() ? "11\n1\n21\n0\n31\n0\n90\n22\n91\n2\n92\n3\n93\n0\n140\n4\n141\n10\n141\n8\n142\n30\n142\n20\n142\n25\n"
                          : header;
    out += cells.empty() ? "171\n1\n172\n0\n173\n0\n174\n0\n175\n3\n176\n1\n91\n0\n178\n0\n145\n0\n1\nParts list\n140\n4\n"
                           "171\n1\n172\n0\n173\n1\n174\n0\n175\n1\n176\n1\n1\n\n"
                           "171\n1\n172\n0\n173\n1\n174\n0\n175\n1\n176\n1\n1\n\n"
                           "171\n1\n172\n0\n173\n0\n174\n0\n175\n1\n176\n1\n91\n262144\n92\n0\n301\nCELL_VALUE\n93\n6\n90\n4\n"
                           "1\nM8\n94\n0\n300\n\n302\nM8 {\\C1;bolt}\n304\nACVALUE_END\n"
                           "171\n1\n172\n0\n173\n0\n174\n0\n175\n1\n176\n1\n2\nlong \n1\ntext %%c8\n"
                           "171\n2\n172\n0\n173\n0\n174\n0\n175\n1\n176\n1\n340\n1F\n144\n1\n"
                         : cells;
    return out;
}

std::string describe(const GivenTable& t) {
    std::ostringstream out;
    out << "xs";
    for (const double x : t.xs) out << " " << x;
    out << " ys";
    for (const double y : t.ys) out << " " << y;
    for (const GivenCell& c : t.cells) out << " [" << c.row << "," << c.column << " " << c.rows << "x" << c.columns << " " << c.text << "]";
    return out.str();
}

TEST(TableEntity, AnUprightTableIsGivenFromItsCellsAndItsBlockIsNotPlaced) {
    struct Case {
        const char* name;
        std::string blocks;
        std::string entities;
        const char* given; ///< on the model sheet; empty: none
        std::size_t segments;
        std::size_t texts;
    };
    const char* kAsWritten =
        "xs 100 130 150 175 ys 200 190 182 [0,0 1x3 Parts list] [1,0 1x1 M8 bolt] [1,1 1x1 long text φ8] [1,2 1x1 ]";
    const std::string inBlock = "0\nBLOCK\n2\nSHEET\n10\n0\n20\n0\n" + table() + "0\nENDBLK\n";
    const Case cases[] = {
        {"in ENTITIES", "", table(), kAsWritten, 0, 0},
        {"in a block placed twice as large, elsewhere", inBlock, "0\nINSERT\n2\nSHEET\n10\n-100\n20\n0\n41\n2\n42\n2\n",
         "xs 100 160 200 250 ys 400 380 364 [0,0 1x3 Parts list] [1,0 1x1 M8 bolt] [1,1 1x1 long text φ8] [1,2 1x1 ]", 0, 0},
        {"turned: its block is placed", "", table("", "11\n0\n21\n1\n31\n0\n91\n2\n92\n3\n141\n10\n141\n8\n142\n30\n142\n20\n142\n25\n"),
         "", 2, 1},
        {"in a block placed mirrored: its block is placed", inBlock, "0\nINSERT\n2\nSHEET\n10\n0\n20\n0\n41\n-1\n", "", 2, 1},
        {"rows not matching the heights: its block is placed", "",
         table("", "11\n1\n21\n0\n91\n3\n92\n3\n141\n10\n141\n8\n142\n30\n142\n20\n142\n25\n"), "", 2, 1},
        {"cells missing: its block is placed", "",
         table("", "", "171\n1\n175\n3\n176\n1\n1\nParts list\n171\n1\n173\n1\n171\n1\n173\n1\n"), "", 2, 1},
        {"merged cells overlapping: its block is placed", "",
         table("", "", "171\n1\n175\n2\n171\n1\n171\n1\n176\n2\n171\n1\n175\n3\n171\n1\n171\n1\n"), "", 2, 1},
        {"a merge leaving the grid: its block is placed", "",
         table("", "", "171\n1\n171\n1\n171\n1\n171\n1\n171\n1\n176\n2\n171\n1\n"), "", 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string drawing = drawingOf(kTableBlock + c.blocks, c.entities);
        const Sheets sheets = readSheets(drawing);
        if (*c.given != '\0') {
            ASSERT_EQ(sheets.model.given.size(), 1u);
            EXPECT_EQ(describe(sheets.model.given[0]), c.given);
            EXPECT_EQ(sheets.model.given[0].line, lineOf(drawing, "ACAD_TABLE"));
        } else {
            EXPECT_TRUE(sheets.model.given.empty());
        }
        EXPECT_EQ(sheets.model.segments.size(), c.segments);
        EXPECT_EQ(sheets.model.texts.size(), c.texts);
        EXPECT_TRUE(sheets.missingBlocks.empty());
    }
}

TEST(TableEntity, PaperSpaceTableGoesToThePaperSheet) {
    const Sheets sheets = readSheets(drawingOf(kTableBlock, table("67\n1\n")));
    ASSERT_EQ(sheets.paper.given.size(), 1u);
    EXPECT_TRUE(sheets.model.given.empty());
}

TEST(TableEntity, ATurnedTableStandsWhereItsBlockDrawsIt) {
    // Turned a quarter counter-clockwise about its insertion point (100, 200).
    const Sheets sheets = readSheets(drawingOf(kTableBlock, table("", "11\n0\n21\n1\n91\n2\n92\n3\n141\n10\n141\n8\n142\n30\n142\n20\n142\n25\n")));
    ASSERT_EQ(sheets.model.segments.size(), 2u);
    const Segment& row = sheets.model.segments[0];
    EXPECT_NEAR(row.a.x, 100, 1e-12);
    EXPECT_NEAR(row.a.y, 200, 1e-12);
    EXPECT_NEAR(row.b.x, 100, 1e-12);
    EXPECT_NEAR(row.b.y, 275, 1e-12);
}

} // namespace
} // namespace dxf2csv::ruled
