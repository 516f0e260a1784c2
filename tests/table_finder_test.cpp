// findTables on sheets drawn inline: what is a table, what is not, and in which order.

#include "ruled/table.h"
#include "ruled_drawing.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace dxf2csv::ruled {
namespace {

using test::grid;
using test::layout;
using test::line;
using test::rect;
using test::text;

/// A 3 x 3 table, 30 wide and 10 high a cell, with "r<row>c<column>" in each cell.
Sheet threeByThree(double x = 0, double y = 0) {
    Sheet s;
    grid(s, {x, x + 30, x + 60, x + 90}, {y, y + 10, y + 20, y + 30});
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            text(s, x + 15 + 30 * c, y + 25 - 10 * r, "r" + std::to_string(r) + "c" + std::to_string(c));
    return s;
}

const char* const kThreeByThree = "r0c0|r0c1|r0c2/r1c0|r1c1|r1c2/r2c0|r2c1|r2c2";

TEST(FindTables, AThreeByThreeTable) {
    const auto tables = findTables(threeByThree());
    ASSERT_EQ(tables.size(), 1u);
    const Table& t = tables[0];
    EXPECT_EQ(t.rows(), 3);
    EXPECT_EQ(t.columns(), 3);
    EXPECT_EQ(t.xs, (std::vector<double>{0, 30, 60, 90}));
    EXPECT_EQ(t.ys, (std::vector<double>{30, 20, 10, 0}));
    EXPECT_EQ(t.texts, 9);
    EXPECT_EQ(layout(t), kThreeByThree);
    for (const Cell& c : t.cells) EXPECT_EQ(c.texts, 1);
}

TEST(FindTables, TheSameTableHoweverItIsDrawn) {
    struct Case {
        const char* name;
        Sheet sheet;
    };
    std::vector<Case> cases;
    {
        // Every line in pieces 1 long, with gaps of 0.01 and overlaps of 0.02 by turns, each
        // piece off its line by up to 0.004, and the lines stopping short of the outline.
        Sheet s = threeByThree();
        s.segments.clear();
        int turn = 0;
        auto pieces = [&](double at, double from, double to, bool across) {
            for (double p = from; p < to;) {
                const double end = std::min(p + 1, to);
                const double off = 0.004 * ((turn % 3) - 1);
                if (across) line(s, at + off, p, at - off, end); else line(s, p, at + off, end, at - off);
                p = end + ((turn++ % 2) ? 0.01 : -0.02);
            }
        };
        for (double x : {0.0, 30.0, 60.0, 90.0}) pieces(x, 0.01, 29.99, true);
        for (double y : {0.0, 10.0, 20.0, 30.0}) pieces(y, 0.01, 89.99, false);
        cases.push_back({"in pieces with gaps and overlaps", std::move(s)});
    }
    {
        // Rules overshooting the lines they meet, and a rule drawn twice a little apart.
        Sheet s = threeByThree();
        s.segments.clear();
        for (double x : {0.0, 30.0, 60.0, 90.0}) line(s, x, -0.4, x, 30.3);
        for (double y : {0.0, 10.0, 20.0, 30.0}) line(s, -0.2, y, 90.5, y);
        line(s, 0, 10.3, 90, 10.3);
        cases.push_back({"overshooting, a line drawn twice", std::move(s)});
    }
    {
        // Rules leaning off their axis by half a degree, and the outline as one closed path
        // listed backwards.
        Sheet s = threeByThree();
        s.segments.clear();
        const double lean = std::tan(0.5 * std::numbers::pi / 180);
        for (double x : {30.0, 60.0}) line(s, x, 30, x + 30 * lean, 0);
        for (double y : {10.0, 20.0}) line(s, 90, y, 0, y + 90 * lean);
        rect(s, 90, 30, 0, 0);
        cases.push_back({"leaning lines, the outline backwards", std::move(s)});
    }
    {
        Sheet s = threeByThree(1e12, -1e12);
        cases.push_back({"far from the origin", std::move(s)});
    }
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto tables = findTables(c.sheet);
        ASSERT_EQ(tables.size(), 1u);
        EXPECT_EQ(layout(tables[0]), kThreeByThree);
        EXPECT_EQ(tables[0].rows(), 3);
        EXPECT_EQ(tables[0].columns(), 3);
    }
}

TEST(FindTables, MergedCellsSpanTheirRowsAndColumns) {
    // A header over three columns, and a cell two rows high at the left.
    Sheet s;
    line(s, 0, 30, 90, 30);
    line(s, 0, 20, 90, 20);
    line(s, 30, 10, 90, 10);
    line(s, 0, 0, 90, 0);
    line(s, 0, 0, 0, 30);
    line(s, 90, 0, 90, 30);
    line(s, 30, 0, 30, 20);
    line(s, 60, 0, 60, 20);
    text(s, 45, 25, "header");
    text(s, 15, 10, "tall");
    text(s, 45, 15, "a");
    text(s, 75, 15, "b");
    text(s, 45, 5, "c");
    text(s, 75, 5, "d");
    const auto tables = findTables(s);
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(layout(tables[0]), "header{1x3}/tall{2x1}|a|b/c|d");
}

/// A sheet frame (a border and an inner frame) with a title block in its lower right corner
/// that shares the inner frame's lines, and zone ticks hanging from the inner frame.
Sheet framedTitleBlock(bool ticks) {
    Sheet s;
    rect(s, 0, 0, 420, 297);
    rect(s, 10, 10, 410, 287);
    // The title block: x 230..410, y 10..50, rows of 10, each row split its own way.
    line(s, 230, 10, 230, 50);
    line(s, 230, 50, 410, 50);
    for (double y : {20.0, 30.0, 40.0}) line(s, 230, y, 410, y);
    line(s, 290, 40, 290, 50);
    line(s, 260, 30, 260, 40);
    line(s, 350, 30, 350, 40);
    line(s, 320, 10, 320, 30);
    text(s, 260, 45, "TITLE", 3.5);
    text(s, 350, 45, "Bracket", 3.5);
    text(s, 245, 35, "Scale", 3.5);
    text(s, 305, 35, "1:2", 3.5);
    text(s, 380, 35, "A3", 3.5);
    text(s, 275, 25, "Drawn", 3.5);
    text(s, 365, 25, "2024-05-01", 3.5);
    text(s, 275, 15, "No.", 3.5);
    text(s, 365, 15, "D-0042", 3.5);
    if (ticks) {
        for (double x = 52.5; x < 410; x += 52.5) {
            line(s, x, 10, x, 4);   // hanging below the title block's foot, into the margin
            line(s, x, 287, x, 293);
        }
        for (double y = 49.5; y < 287; y += 49.5) {
            line(s, 10, y, 4, y);
            line(s, 410, y, 416, y); // hanging from the title block's right edge too
        }
        line(s, 210, 287, 210, 280); // a centring mark into the field
    }
    return s;
}

TEST(FindTables, ATitleBlockInTheCornerOfASheetFrameIsATableOfItsOwn) {
    for (bool ticks : {false, true}) {
        SCOPED_TRACE(ticks ? "with ticks hanging from the frame" : "plain frame");
        const auto tables = findTables(framedTitleBlock(ticks));
        ASSERT_EQ(tables.size(), 1u);
        const Table& t = tables[0];
        EXPECT_EQ(t.xs, (std::vector<double>{230, 260, 290, 320, 350, 410}));
        EXPECT_EQ(t.ys, (std::vector<double>{50, 40, 30, 20, 10}));
        EXPECT_EQ(layout(t), "TITLE{1x2}|Bracket{1x3}/Scale|1:2{1x3}|A3/Drawn{1x3}|2024-05-01{1x2}/"
                             "No.{1x3}|D-0042{1x2}");
        EXPECT_EQ(t.texts, 9);
    }
}

TEST(FindTables, APartsListStandingOnAWiderTitleBlockIsTwoTables) {
    Sheet s;
    grid(s, {0, 40, 80}, {0, 10, 20});        // title block 80 wide
    grid(s, {40, 60, 80}, {20, 30, 40});      // parts list 40 wide on its right half
    for (double x : {20.0, 60.0}) for (double y : {5.0, 15.0}) text(s, x, y, "t");
    for (double x : {50.0, 70.0}) for (double y : {25.0, 35.0}) text(s, x, y, "p");
    const auto tables = findTables(s);
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(layout(tables[0]), "p|p/p|p");
    EXPECT_EQ(tables[0].xs, (std::vector<double>{40, 60, 80}));
    EXPECT_EQ(layout(tables[1]), "t|t/t|t");
}

/// Walls as two lines 150 apart around `centre` lines, broken by openings with jambs across.
struct Wall {
    bool vertical;
    double at, from, to;
    std::vector<std::pair<double, double>> openings;
};

void drawWall(Sheet& s, const Wall& w) {
    for (double side : {-75.0, 75.0}) {
        double p = w.from;
        for (auto [a, b] : w.openings) {
            if (w.vertical) line(s, w.at + side, p, w.at + side, a); else line(s, p, w.at + side, a, w.at + side);
            p = b;
        }
        if (w.vertical) line(s, w.at + side, p, w.at + side, w.to); else line(s, p, w.at + side, w.to, w.at + side);
    }
    for (auto [a, b] : w.openings)
        for (double e : {a, b})
            if (w.vertical) line(s, w.at - 75, e, w.at + 75, e); else line(s, e, w.at - 75, e, w.at + 75);
}

/// A two-bedroom apartment: double walls, doors as openings (some with their swing drawn),
/// windows closed by sash lines, a pipe shaft and a balcony; room names 250 high.
Sheet apartment() {
    Sheet s;
    const std::vector<Wall> walls = {
        {false, 0, -75, 9075, {{4000, 6000}}},
        {false, 7000, -75, 9075, {{1000, 2500}, {6000, 8000}}},
        {true, 0, -75, 7075, {{2000, 3000}}},
        {true, 9000, -75, 7075, {{4500, 6000}}},
        {true, 3600, -75, 7075, {{1500, 2300}, {4800, 5600}}},
        {false, 4000, -75, 9075, {{1000, 1800}, {5000, 5800}}},
        {true, 6300, 4000, 7075, {{5000, 5800}}},
        {true, 2000, 4000, 7075, {{6000, 6800}}},
        {false, 5200, -75, 2000, {}},
        {true, 1000, 4000, 5200, {}},
    };
    for (const Wall& w : walls) drawWall(s, w);
    // Sash lines across the window openings.
    for (double y : {-25.0, 25.0}) line(s, 4000, y, 6000, y);
    for (double y : {6975.0, 7025.0}) { line(s, 1000, y, 2500, y); line(s, 6000, y, 8000, y); }
    for (double x : {-25.0, 25.0}) line(s, x, 2000, x, 3000);
    for (double x : {8975.0, 9025.0}) line(s, x, 4500, x, 6000);
    // The balcony's handrail.
    line(s, -75, -1500, 9075, -1500);
    line(s, -75, -1500, -75, -75);
    line(s, 9075, -1500, 9075, -75);
    // Door swings.
    s.addDrawn({{3675, 1500}, {4475, 2300}});
    s.addDrawn({{1000, 3200}, {1800, 3925}});
    s.addDrawn({{5000, 3200}, {5800, 3925}});
    s.addDrawn({{6375, 5000}, {7175, 5800}});
    text(s, 1800, 2000, "LDK", 250);
    text(s, 6300, 2000, "洋室1", 250);
    text(s, 7650, 5500, "洋室2", 250);
    text(s, 4950, 5500, "浴室", 250);
    text(s, 500, 4600, "PS", 250);
    text(s, 1500, 4600, "WC", 250);
    text(s, 1000, 6100, "玄関", 250);
    text(s, 4500, -750, "バルコニー", 250);
    return s;
}

TEST(FindTables, AFloorPlanIsNoTable) {
    const auto tables = findTables(apartment());
    for (const Table& t : tables) ADD_FAILURE() << "found " << layout(t);
}

TEST(FindTables, TablesAreReadFromTheTopDownAndSideBySideFromTheLeft) {
    Sheet s;
    auto table = [&](double x, double top, const char* name) {
        grid(s, {x, x + 20, x + 40}, {top - 20, top - 10, top});
        text(s, x + 10, top - 5, name);
        text(s, x + 30, top - 15, "-");
    };
    table(100, 98, "right, a little lower");
    table(0, 100, "left");
    table(-50, 40, "below, further left");
    table(200, 91, "lower by more than a row");
    const auto tables = findTables(s);
    ASSERT_EQ(tables.size(), 4u);
    EXPECT_EQ(tables[0].cells[0].text, "left");
    EXPECT_EQ(tables[1].cells[0].text, "right, a little lower");
    EXPECT_EQ(tables[2].cells[0].text, "lower by more than a row");
    EXPECT_EQ(tables[3].cells[0].text, "below, further left");
}

TEST(FindTables, TextsInOneCellAreJoined) {
    Sheet s;
    grid(s, {0, 40, 80}, {0, 20});
    text(s, 25, 15, "right");
    text(s, 8, 15.4, "left");   // the same line, a little higher
    text(s, 20, 6, "below");
    text(s, 60, 10, "first\nsecond"); // an MTEXT keeps its line feeds
    text(s, 60, 3, " 89.37804");      // and a text its blanks
    const auto tables = findTables(s);
    ASSERT_EQ(tables.size(), 1u);
    ASSERT_EQ(tables[0].cells.size(), 2u);
    EXPECT_EQ(tables[0].cells[0].text, "left right\nbelow");
    EXPECT_EQ(tables[0].cells[0].texts, 3);
    EXPECT_EQ(tables[0].cells[1].text, "first\nsecond\n 89.37804");
    EXPECT_EQ(tables[0].texts, 5);
}

TEST(FindTables, ARegionHoldingDrawnGeometryIsNoCell) {
    // 2 columns x 3 rows; what stands in the lower right cell makes it no cell, so the upper
    // two rows are a table and the lone lower left cell none.
    struct Case {
        const char* name;
        void (*draw)(Sheet&);
    };
    const Case cases[] = {
        {"a circle", [](Sheet& s) { s.addDrawn({{45, 2}, {55, 8}}); }},
        {"a diagonal crossing it out", [](Sheet& s) { line(s, 40, 0, 80, 10); }},
        {"a short line standing free", [](Sheet& s) { line(s, 50, 5, 70, 5); }},
        {"a rule hanging into it", [](Sheet& s) { line(s, 60, 10, 60, 4); }},
        {"a small box of rules", [](Sheet& s) { rect(s, 55, 3, 65, 7); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s;
        grid(s, {0, 40, 80}, {0, 10, 20, 30});
        for (double y : {25.0, 15.0, 5.0}) {
            text(s, 20, y, "a" + std::to_string(static_cast<int>(y)));
            text(s, 60, y, "b" + std::to_string(static_cast<int>(y)));
        }
        c.draw(s);
        const auto tables = findTables(s);
        ASSERT_EQ(tables.size(), 1u);
        EXPECT_EQ(layout(tables[0]), "a25|b25/a15|b15");
    }
}

TEST(FindTables, RegionsThatAreNoCells) {
    struct Case {
        const char* name;
        void (*draw)(Sheet&);
    };
    const Case cases[] = {
        // One row far taller than its text: the table is the two rows above it.
        {"far taller than its texts", [](Sheet& s) {
             grid(s, {0, 40, 80}, {-100, 10, 20, 30});
             for (double y : {25.0, 15.0, 5.0}) { text(s, 20, y, "a"); text(s, 60, y, "b"); }
         }},
        // The lower right cell open at the bottom.
        {"not closed", [](Sheet& s) {
             grid(s, {0, 40, 80}, {10, 20, 30});
             line(s, 0, 0, 40, 0);
             line(s, 0, 0, 0, 10);
             line(s, 40, 0, 40, 10);
             line(s, 80, 0, 80, 10);
             for (double y : {25.0, 15.0, 5.0}) { text(s, 20, y, "a"); text(s, 60, y, "b"); }
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s;
        c.draw(s);
        const auto tables = findTables(s);
        ASSERT_EQ(tables.size(), 1u);
        EXPECT_EQ(layout(tables[0]), "a|b/a|b");
    }
}

TEST(FindTables, WhatIsNoTable) {
    struct Case {
        const char* name;
        void (*draw)(Sheet&);
    };
    const Case cases[] = {
        {"a boxed text", [](Sheet& s) { rect(s, 0, 0, 40, 10); text(s, 20, 5, "note"); }},
        {"a ruled grid without a text", [](Sheet& s) { grid(s, {0, 10, 20}, {0, 10, 20}); }},
        {"texts beside a grid", [](Sheet& s) { grid(s, {0, 10, 20}, {0, 10, 20}); text(s, 30, 5, "x"); }},
        {"nothing but texts", [](Sheet& s) { text(s, 0, 0, "a"); text(s, 10, 0, "b"); }},
        {"lines that close nothing", [](Sheet& s) {
             line(s, 0, 0, 100, 0); line(s, 0, 0, 0, 100); line(s, 50, 10, 50, 90); text(s, 20, 20, "x");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s;
        c.draw(s);
        EXPECT_TRUE(findTables(s).empty());
    }
}

TEST(FindTables, GivenTablesTakeTheirPlaceInReadingOrder) {
    Sheet s = threeByThree(0, 0);
    GivenTable given;
    given.xs = {0, 50, 100};
    given.ys = {80, 70, 60};
    given.cells = {{1, 0, 1, 2, "total"}, {0, 1, 1, 1, "b"}, {0, 0, 1, 1, ""}};
    s.given.push_back(given);
    const auto tables = findTables(s);
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(layout(tables[0]), "|b/total{1x2}");
    EXPECT_EQ(tables[0].texts, 2);
    EXPECT_EQ(tables[0].ys, given.ys);
    EXPECT_EQ(layout(tables[1]), kThreeByThree);
}

TEST(FindTables, NothingBreaksOnDegenerateSheets) {
    struct Case {
        const char* name;
        Sheet sheet;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}});
    {
        Sheet s;
        for (int k = 0; k < 1000; ++k) line(s, 5, 5, 5, 5);
        text(s, 5, 5, "x");
        cases.push_back({"only points as segments", std::move(s)});
    }
    {
        Sheet s;
        for (int k = 0; k < 20000; ++k) { line(s, 0, 0, 10, 0); line(s, 0, 0, 0, 10); }
        text(s, 5, 5, "x");
        cases.push_back({"every segment the same", std::move(s)});
    }
    {
        Sheet s = threeByThree();
        for (int k = 0; k < 200000; ++k) line(s, 0.001 * k, 30, 0.001 * k + 0.0015, 30);
        cases.push_back({"a table's top edge in 200000 overlapping pieces", std::move(s)});
    }
    {
        Sheet s = threeByThree();
        line(s, -1e300, 0, 1e300, 0);
        line(s, 0, -1e308, 0, 1e308);
        line(s, -1.7e308, 5, 1.7e308, 5);
        s.addDrawn({{-1e308, -1e308}, {1e308, 1e308}});
        text(s, 1e300, 1e300, "far", 1e300);
        text(s, 1, 1, "tiny", 1e-300);
        text(s, INFINITY, 0, "nowhere");
        cases.push_back({"huge and tiny numbers", std::move(s)});
    }
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto tables = findTables(c.sheet);
        for (const Table& t : tables) {
            EXPECT_EQ(t.xs.size(), static_cast<std::size_t>(t.columns()) + 1);
            EXPECT_EQ(t.ys.size(), static_cast<std::size_t>(t.rows()) + 1);
        }
    }
}

TEST(FindTables, TwoHundredThousandRulesInOneGridTakeLittleTime) {
    // A 316 x 316 grid of unit squares, each line in pieces one unit long: 200,344 rules, and a
    // text in every tenth cell of each row.
    constexpr int n = 316;
    Sheet s;
    for (int i = 0; i <= n; ++i)
        for (int k = 0; k < n; ++k) {
            line(s, i, k, i, k + 1);
            line(s, k, i, k + 1, i);
        }
    for (int r = 0; r < n; ++r)
        for (int c = r % 10; c < n; c += 10) text(s, c + 0.5, r + 0.5, "x", 0.3);
    const auto start = std::chrono::steady_clock::now();
    const auto tables = findTables(s);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%zu rules: %.3f s\n", s.segments.size(), seconds);
    // A quadratic step would take minutes here; sanitizers and a shared machine take seconds.
    EXPECT_LT(seconds, 20.0);
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0].rows(), n);
    EXPECT_EQ(tables[0].columns(), n);
}

} // namespace
} // namespace dxf2csv::ruled
