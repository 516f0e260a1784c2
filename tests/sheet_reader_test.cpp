// The sheet reader on small drawings: segments, texts and where they stand, spaces, bad
// numbers and malformed sequences.

#include "ruled/sheet_reader.h"

#include "sheet_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace dxf2csv::ruled {
namespace {

using test::drawingOf;
using test::lineOf;
using test::readingFailure;
using test::readSheets;

std::string describe(const std::vector<Segment>& segments) {
    std::ostringstream out;
    for (const Segment& s : segments) out << "(" << s.a.x << "," << s.a.y << ")-(" << s.b.x << "," << s.b.y << ") ";
    return out.str();
}

std::string describe(const std::vector<Point>& points) {
    std::ostringstream out;
    for (const Point& p : points) out << "(" << p.x << "," << p.y << ") ";
    return out.str();
}

TEST(SheetReader, StraightSegmentsOfLinesAndPolylines) {
    struct Case {
        const char* name;
        const char* entities;
        const char* segments; ///< the pieces square on an axis, as describe() writes them
        const char* drawn;    ///< the middles of slanted pieces and of other drawn things
    };
    const Case cases[] = {
        {"LINE", "0\nLINE\n8\n0\n10\n1\n20\n2\n30\n0\n11\n5\n21\n2\n31\n0\n", "(1,2)-(5,2) ", ""},
        {"LINE of zero length", "0\nLINE\n10\n1\n20\n2\n11\n1\n21\n2\n", "", ""},
        {"LINE without its end", "0\nLINE\n10\n1\n20\n2\n", "", ""},
        {"slanted LINE", "0\nLINE\n10\n0\n20\n0\n11\n3\n21\n4\n", "", "(1.5,2) "},
        {"open LWPOLYLINE", "0\nLWPOLYLINE\n90\n3\n70\n0\n10\n0\n20\n0\n10\n4\n20\n0\n10\n4\n20\n3\n",
         "(0,0)-(4,0) (4,0)-(4,3) ", ""},
        {"closed LWPOLYLINE with a bulge",
         "0\nLWPOLYLINE\n90\n4\n70\n1\n10\n0\n20\n0\n10\n4\n20\n0\n42\n1\n10\n4\n20\n2\n10\n0\n20\n2\n",
         "(0,0)-(4,0) (4,2)-(0,2) (0,2)-(0,0) ", "(4.5,1) "},
        {"closed LWPOLYLINE whose last vertex repeats the first",
         "0\nLWPOLYLINE\n90\n4\n70\n1\n10\n0\n20\n0\n10\n4\n20\n0\n10\n4\n20\n2\n10\n0\n20\n0\n",
         "(0,0)-(4,0) (4,0)-(4,2) ", "(2,1) "},
        {"LWPOLYLINE seen from below", "0\nLWPOLYLINE\n90\n2\n70\n0\n10\n1\n20\n2\n10\n5\n20\n2\n210\n0\n220\n0\n230\n-1\n",
         "(-1,2)-(-5,2) ", ""},
        {"closed 2D POLYLINE",
         "0\nPOLYLINE\n66\n1\n10\n0\n20\n0\n70\n1\n0\nVERTEX\n10\n0\n20\n0\n0\nVERTEX\n10\n6\n20\n0\n0\nVERTEX\n10\n6\n20\n6\n0\nSEQEND\n",
         "(0,0)-(6,0) (6,0)-(6,6) ", "(3,3) "},
        {"2D POLYLINE with a bulged vertex",
         "0\nPOLYLINE\n70\n0\n0\nVERTEX\n10\n0\n20\n0\n42\n-1\n0\nVERTEX\n10\n2\n20\n0\n0\nVERTEX\n10\n2\n20\n5\n0\nSEQEND\n",
         "(2,0)-(2,5) ", "(1,0.5) "},
        {"3D POLYLINE is a box", "0\nPOLYLINE\n70\n8\n0\nVERTEX\n10\n0\n20\n0\n0\nVERTEX\n10\n6\n20\n2\n0\nSEQEND\n", "",
         "(3,1) "},
        {"polyface mesh is nothing", "0\nPOLYLINE\n70\n64\n0\nVERTEX\n10\n5\n20\n5\n0\nVERTEX\n10\n0\n20\n0\n0\nSEQEND\n", "", ""},
        {"POLYLINE never closed by SEQEND",
         "0\nPOLYLINE\n70\n0\n0\nVERTEX\n10\n0\n20\n0\n0\nVERTEX\n10\n3\n20\n0\n0\nLINE\n10\n9\n20\n9\n11\n9\n21\n8\n",
         "(0,0)-(3,0) (9,9)-(9,8) ", ""},
        {"VERTEX and SEQEND alone", "0\nVERTEX\n10\n0\n20\n0\n0\nSEQEND\n0\nVERTEX\n10\n1\n20\n1\n", "", ""},
        {"invisible LINE", "0\nLINE\n60\n1\n10\n1\n20\n2\n11\n5\n21\n2\n", "", ""},
        {"CIRCLE and ARC", "0\nCIRCLE\n10\n5\n20\n5\n40\n2\n0\nARC\n10\n0\n20\n0\n40\n1\n50\n0\n51\n90\n", "",
         "(5,5) (0.5,0.5) "},
        {"ARC seen from below", "0\nARC\n10\n5\n20\n0\n40\n1\n50\n0\n51\n90\n210\n0\n220\n0\n230\n-1\n", "",
         "(-5.5,0.5) "},
        {"SOLID and 3DFACE", "0\nSOLID\n10\n0\n20\n0\n11\n2\n21\n0\n12\n0\n22\n1\n13\n2\n23\n1\n0\n3DFACE\n10\n5\n20\n5\n11\n6\n21\n5\n12\n6\n22\n7\n",
         "", "(1,0.5) (5.5,6) "},
        {"SPLINE holds its control points", "0\nSPLINE\n70\n8\n10\n0\n20\n0\n10\n5\n20\n8\n10\n9\n20\n1\n", "", "(4.5,4) "},
        {"ELLIPSE", "0\nELLIPSE\n10\n10\n20\n10\n11\n4\n21\n0\n40\n0.5\n", "", "(10,10) "},
        {"HATCH of a polyline path with a bulge and an arc edge",
         "0\nHATCH\n10\n0\n20\n0\n2\nSOLID\n70\n1\n91\n2\n92\n2\n72\n1\n73\n1\n93\n3\n10\n10\n20\n10\n10\n14\n20\n10\n42\n1\n10\n14\n20\n14\n"
         "97\n0\n92\n1\n93\n1\n72\n2\n10\n0\n20\n20\n40\n3\n50\n0\n51\n90\n73\n1\n97\n0\n75\n1\n76\n1\n98\n1\n10\n-50\n20\n-50\n",
         "", "(6.5,16.5) "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Sheets sheets = readSheets(drawingOf("", c.entities));
        EXPECT_EQ(describe(sheets.model.segments), c.segments);
        EXPECT_EQ(describe(sheets.model.drawn), c.drawn);
        EXPECT_TRUE(sheets.paper.segments.empty());
    }
}

TEST(SheetReader, TextsStandAtTheMiddleOfTheirFirstLine) {
    struct Case {
        const char* name;
        std::string entity;
        Point middle;
        double height;
        const char* text;
    };
    // TEXT of height 10 at (100, 200) with its alignment point at (300, 400).
    auto text = [](const char* extra) {
        return std::string("0\nTEXT\n10\n100\n20\n200\n40\n10\n1\nT\n") + extra;
    };
    const char* second = "11\n300\n21\n400\n";
    const Case cases[] = {
        {"TEXT left on its baseline", text(""), {100, 205}, 10, "T"},
        {"TEXT centred on its baseline", text("72\n1\n") + second, {300, 405}, 10, "T"},
        {"TEXT right, middle", text("72\n2\n73\n2\n") + second, {300, 400}, 10, "T"},
        {"TEXT left, top", text("73\n3\n") + second, {300, 395}, 10, "T"},
        {"TEXT left, bottom", text("73\n1\n") + second, {300, 405}, 10, "T"},
        {"TEXT middle (72 = 4)", text("72\n4\n73\n0\n") + second, {300, 400}, 10, "T"},
        {"TEXT aligned", text("72\n3\n") + second, {200, 305}, 10, "T"},
        {"TEXT fitted", text("72\n5\n") + second, {200, 305}, 10, "T"},
        {"TEXT justified without its alignment point", text("72\n1\n"), {100, 205}, 10, "T"},
        {"TEXT turned 90 degrees", text("50\n90\n"), {95, 200}, 10, "T"},
        {"TEXT turned 30 degrees", text("50\n30\n"), {97.5, 200 + 2.5 * std::sqrt(3.0)}, 10, "T"},
        {"TEXT upside down", text("71\n4\n"), {100, 195}, 10, "T"},
        {"TEXT seen from below", text("210\n0\n220\n0\n230\n-1\n"), {-100, 205}, 10, "T"},
        {"TEXT keeps its blanks and decodes its codes", "0\nTEXT\n10\n0\n20\n0\n40\n2\n1\n %%c89.37804\n", {0, 1}, 2,
         " φ89.37804"},
        // MTEXT of height 10 at (100, 200).
        {"MTEXT top, 1 line", "0\nMTEXT\n10\n100\n20\n200\n40\n10\n71\n1\n1\nM\n", {100, 195}, 10, "M"},
        {"MTEXT top, 3 lines", "0\nMTEXT\n10\n100\n20\n200\n40\n10\n71\n3\n1\na\\Pb\\Pc\n", {100, 195}, 10, "a\nb\nc"},
        {"MTEXT middle, 1 line", "0\nMTEXT\n10\n100\n20\n200\n40\n10\n71\n5\n1\nM\n", {100, 200}, 10, "M"},
        {"MTEXT middle, 3 lines", "0\nMTEXT\n10\n100\n20\n200\n40\n10\n71\n4\n1\na\\Pb\\Pc\n", {100, 200 + 50.0 / 3}, 10,
         "a\nb\nc"},
        {"MTEXT bottom, 1 line", "0\nMTEXT\n10\n100\n20\n200\n40\n10\n71\n8\n1\nM\n", {100, 205}, 10, "M"},
        {"MTEXT bottom, 3 lines", "0\nMTEXT\n10\n100\n20\n200\n40\n10\n71\n9\n1\na\\Pb\\Pc\n", {100, 200 + 5 + 100.0 / 3},
         10, "a\nb\nc"},
        {"MTEXT middle, 3 lines twice as far apart", "0\nMTEXT\n10\n100\n20\n200\n40\n10\n71\n5\n44\n2\n1\na\\Pb\\Pc\n",
         {100, 200 + 100.0 / 3}, 10, "a\nb\nc"},
        {"MTEXT in pieces", "0\nMTEXT\n10\n0\n20\n0\n40\n2\n71\n1\n3\n{\\fArial;Pa\n3\nrts \n1\nlist}\n", {0, -1}, 2,
         "Parts list"},
        {"MTEXT direction up the sheet", "0\nMTEXT\n10\n100\n20\n200\n40\n10\n71\n1\n11\n0\n21\n2\n1\nM\n", {105, 200}, 10, "M"},
        {"MTEXT turned by 50 alone", "0\nMTEXT\n10\n100\n20\n200\n40\n10\n71\n1\n50\n90\n1\nM\n", {105, 200}, 10, "M"},
        {"MTEXT direction wins over 50", "0\nMTEXT\n10\n100\n20\n200\n40\n10\n71\n1\n50\n90\n11\n1\n21\n0\n1\nM\n", {100, 195},
         10, "M"},
        {"MTEXT column heights are no rotation",
         "0\nMTEXT\n10\n100\n20\n200\n40\n10\n71\n1\n1\nM\n75\n2\n76\n2\n50\n90\n50\n30\n", {100, 195}, 10, "M"},
        {"MTEXT seen from below, turned in its plane", "0\nMTEXT\n10\n100\n20\n200\n40\n10\n71\n1\n1\nM\n210\n0\n220\n0\n230\n-1\n",
         {100, 195}, 10, "M"},
        {"MTEXT seen from below, direction in the world",
         "0\nMTEXT\n10\n100\n20\n200\n40\n10\n71\n1\n11\n1\n21\n0\n1\nM\n210\n0\n220\n0\n230\n-1\n", {100, 205}, 10, "M"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string drawing = drawingOf("", c.entity);
        const Sheets sheets = readSheets(drawing);
        ASSERT_EQ(sheets.model.texts.size(), 1u);
        const SheetText& t = sheets.model.texts[0];
        EXPECT_NEAR(t.middle.x, c.middle.x, 1e-9);
        EXPECT_NEAR(t.middle.y, c.middle.y, 1e-9);
        EXPECT_NEAR(t.height, c.height, 1e-12);
        EXPECT_EQ(t.text, c.text);
        EXPECT_EQ(t.line, lineOf(drawing, c.entity.starts_with("0\nMTEXT") ? "MTEXT" : "TEXT"));
    }
}

TEST(SheetReader, TextsThatShowNothingAreLeftOut) {
    const char* entities =
        "0\nTEXT\n10\n0\n20\n0\n40\n0\n1\nzero height\n"
        "0\nTEXT\n10\n0\n20\n0\n1\nno height\n"
        "0\nTEXT\n10\n0\n20\n0\n40\n2\n1\n\n"
        "0\nMTEXT\n10\n0\n20\n0\n40\n2\n1\n{\\fArial;}\n"
        "0\nTEXT\n10\n0\n20\n0\n40\n2\n60\n1\n1\ninvisible\n"
        "0\nATTDEF\n10\n0\n20\n0\n40\n2\n1\nprompt\n2\nTAG\n";
    EXPECT_TRUE(readSheets(drawingOf("", entities)).model.texts.empty());
}

TEST(SheetReader, AttributeValuesOfAnInsertAreTextsAndInvisibleOnesAreNot) {
    const std::string blocks =
        "0\nBLOCK\n2\nTITLE\n70\n2\n10\n0\n20\n0\n"
        "0\nATTDEF\n10\n0\n20\n0\n40\n3\n1\ndefault\n3\nDrawn by?\n2\nDRAWN\n70\n0\n"
        "0\nLINE\n10\n0\n20\n0\n11\n100\n21\n0\n"
        "0\nENDBLK\n";
    const std::string entities =
        "0\nINSERT\n2\nTITLE\n10\n1000\n20\n0\n66\n1\n"
        "0\nATTRIB\n10\n1010\n20\n10\n40\n4\n1\nSuzuki\n2\nDRAWN\n70\n0\n73\n9\n"
        "0\nATTRIB\n10\n1010\n20\n30\n40\n4\n1\nhidden\n2\nSECRET\n70\n1\n"
        "0\nATTRIB\n10\n1050\n20\n30\n40\n4\n1\nA-1\n2\nNO\n72\n1\n74\n3\n11\n1060\n21\n40\n"
        "0\nSEQEND\n"
        "0\nATTRIB\n10\n0\n20\n0\n40\n4\n1\norphan\n";
    const Sheets sheets = readSheets(drawingOf(blocks, entities));
    ASSERT_EQ(sheets.model.texts.size(), 2u);
    EXPECT_EQ(sheets.model.texts[0].text, "Suzuki");
    EXPECT_NEAR(sheets.model.texts[0].middle.y, 12, 1e-12) << "73 of an ATTRIB is no alignment";
    EXPECT_EQ(sheets.model.texts[1].text, "A-1");
    EXPECT_NEAR(sheets.model.texts[1].middle.x, 1060, 1e-12);
    EXPECT_NEAR(sheets.model.texts[1].middle.y, 38, 1e-12) << "74 = 3: top";
    EXPECT_EQ(describe(sheets.model.segments), "(1000,0)-(1100,0) ");
}

TEST(SheetReader, PaperSpaceIsASheetOfItsOwn) {
    const std::string blocks = "0\nBLOCK\n2\nB\n10\n0\n20\n0\n0\nLINE\n67\n0\n10\n0\n20\n0\n11\n1\n21\n0\n0\nENDBLK\n";
    const std::string entities =
        "0\nLINE\n67\n1\n10\n0\n20\n0\n11\n5\n21\n0\n"
        "0\nTEXT\n67\n0\n10\n0\n20\n0\n40\n1\n1\nmodel\n"
        "0\nTEXT\n67\n1\n10\n0\n20\n0\n40\n1\n1\npaper\n"
        "0\nINSERT\n67\n1\n2\nB\n10\n10\n20\n10\n"
        "0\nINSERT\n2\nB\n10\n20\n20\n20\n";
    const Sheets sheets = readSheets(drawingOf(blocks, entities));
    EXPECT_EQ(describe(sheets.paper.segments), "(0,0)-(5,0) (10,10)-(11,10) ");
    EXPECT_EQ(describe(sheets.model.segments), "(20,20)-(21,20) ");
    ASSERT_EQ(sheets.model.texts.size(), 1u);
    EXPECT_EQ(sheets.model.texts[0].text, "model");
    ASSERT_EQ(sheets.paper.texts.size(), 1u);
    EXPECT_EQ(sheets.paper.texts[0].text, "paper");
}

TEST(SheetReader, BadNumbersFailNamingTheirLine) {
    struct Case {
        const char* name;
        std::string blocks;
        std::string entities;
        const char* offending; ///< the value line named
        FailureKind kind;
        const char* detail;
    };
    const Case cases[] = {
        {"a coordinate that is no number", "", "0\nLINE\n10\n1\n20\nabc\n11\n2\n21\n2\n", "abc", FailureKind::NotANumber,
         "\"abc\""},
        {"a coordinate past a double", "", "0\nLINE\n10\n1e999\n20\n0\n11\n2\n21\n2\n", "1e999",
         FailureKind::NumberOutOfRange, "\"1e999\" lies beyond ±1e15"},
        {"a coordinate of 1e300", "", "0\nTEXT\n10\n0\n20\n1e300\n40\n1\n1\nx\n", "1e300", FailureKind::NumberOutOfRange,
         "\"1e300\" lies beyond ±1e15"},
        {"a text height that is no number", "", "0\nTEXT\n10\n0\n20\n0\n40\n1,5\n1\nx\n", "1,5", FailureKind::NotANumber,
         "\"1,5\""},
        {"a scale of 0", "0\nBLOCK\n2\nB\n10\n0\n20\n0\n0\nENDBLK\n", "0\nINSERT\n2\nB\n10\n0\n20\n0\n41\n1\n42\n0.0\n", "0.0",
         FailureKind::NumberOutOfRange, "scale \"0.0\" is zero"},
        {"a bad number inside a block", "0\nBLOCK\n2\nB\n10\n0\n20\n0\n0\nCIRCLE\n10\n0\n20\n0\n40\n-inf\n0\nENDBLK\n", "",
         "-inf", FailureKind::NotANumber, "\"-inf\""},
        {"a flag that is no number", "", "0\nLWPOLYLINE\n70\nclosed\n10\n0\n20\n0\n", "closed", FailureKind::NotANumber,
         "\"closed\""},
        {"an INSERT placed past the bound", "0\nBLOCK\n2\nB\n10\n0\n20\n0\n0\nENDBLK\n0\nBLOCK\n2\nOUTER\n10\n0\n20\n0\n0\nINSERT\n2\nB\n10\n0\n20\n0\n41\n1e10\n0\nENDBLK\n",
         "0\nINSERT\n2\nOUTER\n10\n0\n20\n0\n41\n1e10\n", "INSERT", FailureKind::NumberOutOfRange,
         "block \"B\" is placed or scaled beyond 1e15"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string drawing = drawingOf(c.blocks, c.entities);
        const auto failure = readingFailure(drawing);
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->kind(), c.kind);
        EXPECT_EQ(failure->line(), lineOf(drawing, c.offending));
        EXPECT_EQ(failure->detail(), c.detail);
        EXPECT_EQ(failure->file(), "test.dxf");
    }
}

TEST(SheetReader, NumbersOfEntitiesItDoesNotReadAreNeverParsed) {
    // A POINT, a DIMENSION and the codes a LINE does not use may hold anything.
    const char* entities =
        "0\nPOINT\n10\nnot a number\n20\n1e999\n"
        "0\nDIMENSION\n10\n?\n"
        "0\nLINE\n39\nthick\n10\n0\n20\n0\n30\nz?\n11\n1\n21\n0\n";
    EXPECT_EQ(describe(readSheets(drawingOf("", entities)).model.segments), "(0,0)-(1,0) ");
}

TEST(SheetReader, MalformedStructureIsReadWithoutCrashing) {
    const std::string blocks =
        "0\nLINE\n10\n0\n20\n0\n11\n1\n21\n0\n"  // before any BLOCK: belongs to nothing
        "0\nENDBLK\n"
        "0\nBLOCK\n2\nB\n10\n0\n20\n0\n"
        "0\nPOLYLINE\n70\n0\n0\nVERTEX\n10\n0\n20\n0\n0\nVERTEX\n10\n2\n20\n0\n"  // closed by ENDBLK
        "0\nENDBLK\n"
        "0\nBLOCK\n2\nB\n10\n0\n20\n0\n0\nLINE\n10\n0\n20\n0\n11\n0\n21\n9\n0\nENDBLK\n"  // a second B
        "0\nBLOCK\n2\n*Model_Space\n0\nLINE\n10\n0\n20\n0\n11\n0\n21\n9\n0\nENDBLK\n";
    const std::string entities =
        "0\nSEQEND\n0\nATTRIB\n10\n0\n20\n0\n40\n1\n1\nx\n0\nVERTEX\n10\n0\n20\n0\n"
        "0\nINSERT\n2\nB\n10\n0\n20\n0\n0\nINSERT\n2\n*Model_Space\n10\n0\n20\n0\n"
        "0\nINSERT\n2\nB\n10\n0\n20\n10\n0\nATTRIB\n10\n0\n20\n0\n40\n1\n1\nlast\n";  // the drawing ends inside the sequence
    const Sheets sheets = readSheets(drawingOf(blocks, entities));
    EXPECT_EQ(describe(sheets.model.segments), "(0,0)-(2,0) (0,10)-(2,10) ");
    ASSERT_EQ(sheets.model.texts.size(), 1u);
    EXPECT_EQ(sheets.model.texts[0].text, "last");
    EXPECT_TRUE(sheets.missingBlocks.empty());
}

} // namespace
} // namespace dxf2csv::ruled
