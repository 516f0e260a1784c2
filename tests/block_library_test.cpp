// Blocks placed by INSERTs through the sheet reader: turned, mirrored, nested, arrayed; blocks
// that place themselves, missing blocks, and placements past the limit.

#include "ruled/block_library.h"

#include "sheet_reading.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

namespace dxf2csv::ruled {
namespace {

using test::drawingOf;
using test::lineOf;
using test::readingFailure;
using test::readSheets;

std::string describe(const Sheet& sheet) {
    std::ostringstream out;
    for (const Segment& s : sheet.segments) out << "(" << s.a.x << "," << s.a.y << ")-(" << s.b.x << "," << s.b.y << ") ";
    for (const SheetText& t : sheet.texts) out << t.text << "@" << t.middle.x << "," << t.middle.y << "/" << t.height << " ";
    return out.str();
}

/// A block with a corner of a table: a row line, a column line and a cell text, its base
/// point at (10, 0).
const std::string kCorner =
    "0\nBLOCK\n2\nCORNER\n70\n0\n10\n10\n20\n0\n"
    "0\nLINE\n10\n10\n20\n0\n11\n30\n21\n0\n"
    "0\nLINE\n10\n10\n20\n0\n11\n10\n21\n8\n"
    "0\nTEXT\n10\n15\n20\n5\n40\n2\n1\nX\n"
    "0\nENDBLK\n";

TEST(BlockPlacement, ContentsStandWhereTheInsertPutsThem) {
    struct Case {
        const char* name;
        std::string blocks;
        std::string entities;
        const char* placed;
    };
    const Case cases[] = {
        {"as drawn, less the base point", "", "0\nINSERT\n2\nCORNER\n10\n100\n20\n100\n",
         "(100,100)-(120,100) (100,100)-(100,108) X@105,106/2 "},
        {"turned 90 degrees and mirrored", "", "0\nINSERT\n2\nCORNER\n10\n100\n20\n100\n41\n-1\n50\n90\n",
         "(100,100)-(100,80) (100,100)-(92,100) X@94,95/2 "},
        {"nested one level deeper, scaled twice",
         "0\nBLOCK\n2\nOUTER\n10\n0\n20\n0\n0\nINSERT\n2\nCORNER\n10\n0\n20\n0\n41\n-1\n50\n90\n0\nENDBLK\n",
         "0\nINSERT\n2\nOUTER\n10\n1000\n20\n7\n41\n2\n42\n2\n",
         "(1000,7)-(1000,-33) (1000,7)-(984,7) X@988,-3/4 "},
        {"the outer block defined first, the inner one after it",
         "", "0\nINSERT\n2\nOUTER2\n10\n1000\n20\n7\n",
         "(1020,7)-(1040,7) (1020,7)-(1020,15) X@1025,13/2 "},
        {"seen from below", "", "0\nINSERT\n2\nCORNER\n10\n100\n20\n100\n210\n0\n220\n0\n230\n-1\n",
         "(-100,100)-(-120,100) (-100,100)-(-100,108) X@-105,106/2 "},
        {"a MINSERT of 2 x 2", "", "0\nINSERT\n2\nCORNER\n10\n100\n20\n100\n70\n2\n71\n2\n44\n50\n45\n30\n",
         "(100,100)-(120,100) (100,100)-(100,108) (150,100)-(170,100) (150,100)-(150,108) "
         "(100,130)-(120,130) (100,130)-(100,138) (150,130)-(170,130) (150,130)-(150,138) "
         "X@105,106/2 X@155,106/2 X@105,136/2 X@155,136/2 "},
        {"a MINSERT turned: its array turns with it", "", "0\nINSERT\n2\nCORNER\n10\n100\n20\n100\n50\n90\n70\n2\n44\n50\n",
         "(100,100)-(100,120) (100,100)-(92,100) (100,150)-(100,170) (100,150)-(92,150) X@94,105/2 X@94,155/2 "},
    };
    const std::string outer2 =
        "0\nBLOCK\n2\nOUTER2\n10\n0\n20\n0\n0\nINSERT\n2\nCORNER\n10\n20\n20\n0\n0\nENDBLK\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Sheets sheets = readSheets(drawingOf(outer2 + c.blocks + kCorner, c.entities));
        EXPECT_EQ(describe(sheets.model), c.placed);
        EXPECT_TRUE(sheets.missingBlocks.empty());
    }
}

TEST(BlockPlacement, ABlockThatPlacesItselfFailsNamingIt) {
    struct Case {
        const char* name;
        std::string blocks;
        std::size_t closingInsert; ///< which INSERT of the drawing closes the circle
    };
    const Case cases[] = {
        {"directly", "0\nBLOCK\n2\nA\n10\n0\n20\n0\n0\nLINE\n10\n0\n20\n0\n11\n1\n21\n1\n0\nINSERT\n2\nA\n10\n5\n20\n0\n0\nENDBLK\n",
         0},
        {"through another",
         "0\nBLOCK\n2\nA\n10\n0\n20\n0\n0\nINSERT\n2\nB\n10\n5\n20\n0\n0\nENDBLK\n"
         "0\nBLOCK\n2\nB\n10\n0\n20\n0\n0\nLINE\n10\n0\n20\n0\n11\n1\n21\n1\n0\nINSERT\n2\nA\n10\n5\n20\n0\n0\nENDBLK\n",
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string drawing = drawingOf(c.blocks, "0\nINSERT\n2\nA\n10\n0\n20\n0\n");
        const auto failure = readingFailure(drawing);
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->kind(), FailureKind::BlockPlacesItself);
        EXPECT_EQ(failure->detail(), "block \"A\"");
        EXPECT_EQ(failure->line(), test::linesReading(drawing, "INSERT").at(c.closingInsert));
    }
}

/// Blocks B0 ... B(n-1), each placing the next; the last holds a LINE, or places B0 again.
std::string chain(int n, bool circle) {
    std::string blocks;
    for (int i = 0; i < n; ++i) {
        blocks += "0\nBLOCK\n2\nB" + std::to_string(i) + "\n10\n0\n20\n0\n";
        if (i + 1 < n)
            blocks += "0\nINSERT\n2\nB" + std::to_string(i + 1) + "\n10\n1\n20\n0\n";
        else if (circle)
            blocks += "0\nINSERT\n2\nB0\n10\n1\n20\n0\n";
        else
            blocks += "0\nLINE\n10\n0\n20\n0\n11\n0\n21\n1\n";
        blocks += "0\nENDBLK\n";
    }
    return blocks;
}

TEST(BlockPlacement, AChainOfAHundredThousandBlocksNeitherOverflowsNorHangs) {
    const int n = 100'000;
    const auto start = std::chrono::steady_clock::now();
    const Sheets sheets = readSheets(drawingOf(chain(n, false), "0\nINSERT\n2\nB0\n10\n0\n20\n0\n"));
    ASSERT_EQ(sheets.model.segments.size(), 1u);
    EXPECT_EQ(sheets.model.segments[0].a.x, n - 1); // each level moves it by 1
    const auto failure = readingFailure(drawingOf(chain(n, true), "0\nINSERT\n2\nB0\n10\n0\n20\n0\n"));
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->kind(), FailureKind::BlockPlacesItself);
    EXPECT_EQ(failure->detail(), "block \"B0\"");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST(BlockPlacement, TenBlocksNestedTenTimesEachFailPastTheLimitQuickly) {
    std::string blocks = "0\nBLOCK\n2\nL0\n10\n0\n20\n0\n0\nLINE\n10\n0\n20\n0\n11\n1\n21\n0\n0\nENDBLK\n";
    for (int level = 1; level < 10; ++level) {
        blocks += "0\nBLOCK\n2\nL" + std::to_string(level) + "\n10\n0\n20\n0\n";
        for (int i = 0; i < 10; ++i) blocks += "0\nINSERT\n2\nL" + std::to_string(level - 1) + "\n10\n" + std::to_string(i) + "\n20\n0\n";
        blocks += "0\nENDBLK\n";
    }
    const std::string drawing = drawingOf(blocks, "0\nLINE\n10\n0\n20\n0\n11\n1\n21\n1\n0\nINSERT\n2\nL9\n10\n0\n20\n0\n");
    const auto start = std::chrono::steady_clock::now();
    const auto failure = readingFailure(drawing);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->kind(), FailureKind::TooManyPlaced);
    EXPECT_EQ(failure->line(), test::linesReading(drawing, "INSERT").back()) << "the INSERT of ENTITIES";
    EXPECT_EQ(failure->detail(), "placing block \"L9\" gives more than 20000000 elements");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << "counted before placing";
    // Within the limit, everything is placed.
    const Sheets sheets = readSheets(drawingOf(blocks, "0\nINSERT\n2\nL5\n10\n0\n20\n0\n"));
    EXPECT_EQ(sheets.model.segments.size(), 100'000u);
}

TEST(BlockPlacement, AMissingBlockIsReportedOnceAndPlacesNothing) {
    const std::string blocks = "0\nBLOCK\n2\nHOLDER\n10\n0\n20\n0\n0\nINSERT\n2\n部品\n10\n0\n20\n0\n0\nENDBLK\n";
    const std::string entities =
        "0\nINSERT\n2\nNOPE\n10\n0\n20\n0\n0\nINSERT\n2\nNOPE\n10\n5\n20\n0\n"
        "0\nINSERT\n2\nHOLDER\n10\n0\n20\n0\n0\nINSERT\n2\nHOLDER\n10\n9\n20\n0\n";
    const Sheets sheets = readSheets(drawingOf(blocks, entities));
    EXPECT_EQ(sheets.missingBlocks, (std::vector<std::string>{"NOPE", "部品"}));
    EXPECT_TRUE(sheets.model.segments.empty());
}

} // namespace
} // namespace dxf2csv::ruled
