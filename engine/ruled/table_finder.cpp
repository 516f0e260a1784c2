// findTables: rules are sorted and grouped, each group's cells found on its grid, cells that
// hold drawn geometry or stand far taller than their texts dropped, the texts placed, and
// the cells of regularly ruled groups cut into rectangular tables.

#include "ruled/cell_grid.h"
#include "ruled/cell_text.h"
#include "ruled/given_tables.h"
#include "ruled/indices.h"
#include "ruled/point_queries.h"
#include "ruled/regularity.h"
#include "ruled/rule_components.h"
#include "ruled/rules.h"
#include "ruled/table.h"
#include "ruled/table_order.h"
#include "ruled/table_shapes.h"
#include "ruled/text_scale.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

namespace dxf2csv::ruled {
namespace {


/// How near is near, in text heights: pieces nearer than this across stand on one line, gaps
/// and overshoots up to it are drafting slips, and a rule reaches a line that its end comes
/// this near. Half a text height is far less than any opening that means something (a door
/// is three text heights at least, a row of a table more than one) and far more than the
/// slips of real drawings.
constexpr double kNearInTextHeights = 0.5;

/// A region taller than this many times the height its texts take up is no cell: a table's
/// tallest cells (title blocks) are about 3.3 times their text, an empty one about the same
/// against the texts around it; a sheet's field, a drawing view or a large room is far taller.
constexpr double kMaxCellHeightInTexts = 8;

/// The distance from one line of a multi-line text to the next, in text heights (AutoCAD's
/// line spacing of 1).
constexpr double kLinePitchInTextHeights = 5.0 / 3.0;

/// Grid units a group of rules may spread over: kUnitsPerPiece for each of its pieces, and
/// beyond that what is left of kSharedUnits, which all the sheet's groups draw on in turn. A
/// table drawn in pieces has about one unit for two pieces; one drawn with long lines has
/// rows x columns for rows + columns + 2 lines, which stays within 16 per line up to about
/// 30 columns of any number of rows, and the shared units let one grid of long lines reach
/// 512 x 512. A grid beyond that is no table (a plan's walls and jambs make such grids), and
/// leaving it out keeps the time and memory linear in the rules.
constexpr std::size_t kUnitsPerPiece = 16;
constexpr std::size_t kSharedUnits = std::size_t{1} << 18;
constexpr std::size_t kMaxUnits = std::numeric_limits<std::int32_t>::max();

/// A group of rules that has candidate cells.
struct RuleGroup {
    CellGrid grid;
    double near = 0;
    double textHeight = 0; ///< of the texts around its rules: the median near its pieces
    std::size_t firstCell = 0; ///< its first cell's number among all groups' cells

    Rect rectOf(const GridCell& c) const {
        return {grid.xs[static_cast<std::size_t>(c.x0)], grid.ys[static_cast<std::size_t>(c.y0)],
                grid.xs[static_cast<std::size_t>(c.x1)], grid.ys[static_cast<std::size_t>(c.y1)]};
    }
};

bool finite(Point p) { return std::isfinite(p.x) && std::isfinite(p.y); }

/// Reorders `items` so that those of group 0 come first, then group 1's, and so on, in place.
template <class T>
void sortByGroup(std::vector<T>& items, std::span<const Index> groupOf, std::span<const Index> groupStart) {
    std::vector<Index> place(items.size()); // where each item goes
    {
        std::vector<Index> fill(groupStart.begin(), groupStart.end());
        for (std::size_t k = 0; k < items.size(); ++k) place[k] = fill[groupOf[k]]++;
    }
    for (std::size_t k = 0; k < items.size(); ++k) {
        while (place[k] != k) {
            const Index to = place[k];
            std::swap(items[k], items[to]);
            std::swap(place[k], place[to]);
        }
    }
}

/// Groups the rules and finds every group's candidate cells: rectangles of its grid that its
/// rules close and no rule enters. Adds to `obstacles` one piece's middle of every group:
/// a group inside another's cell lies wholly inside it, or it would cross the cell's rules
/// and belong to the same group.
std::vector<RuleGroup> findCandidates(SortedSegments segments, const TextScale& scale, std::vector<Point>& obstacles) {
    const std::size_t nh = segments.horizontal.size();
    const std::size_t nv = segments.vertical.size();
    // Reaches are kept as floats (they are tolerances, not places), within the floats' range.
    auto reachAt = [&](Point p) {
        return static_cast<float>(std::min(kNearInTextHeights * scale.heightNear(p), double{FLT_MAX}));
    };
    std::vector<float> reachH(nh), reachV(nv);
    for (std::size_t k = 0; k < nh; ++k) reachH[k] = reachAt({segments.horizontal[k].middle(), segments.horizontal[k].at});
    for (std::size_t k = 0; k < nv; ++k) reachV[k] = reachAt({segments.vertical[k].at, segments.vertical[k].middle()});
    std::vector<Index> groupOfH, groupOfV;
    std::vector<Index> startH, startV; // each group's first piece in the sorted arrays
    std::size_t count = 0;
    {
        std::vector<float> reach(reachH);
        reach.insert(reach.end(), reachV.begin(), reachV.end());
        RuleGroups groups = groupRules(segments.horizontal, segments.vertical, reach);
        count = groups.count;
        groupOfH.assign(groups.groupOf.begin(), groups.groupOf.begin() + static_cast<std::ptrdiff_t>(nh));
        groupOfV.assign(groups.groupOf.begin() + static_cast<std::ptrdiff_t>(nh), groups.groupOf.end());
    }
    for (auto [groupOf, start] : {std::pair{&groupOfH, &startH}, std::pair{&groupOfV, &startV}}) {
        start->assign(count + 1, 0);
        for (const Index g : *groupOf) ++(*start)[g + 1];
        for (std::size_t g = 0; g < count; ++g) (*start)[g + 1] += (*start)[g];
    }
    sortByGroup(segments.horizontal, groupOfH, startH);
    sortByGroup(reachH, groupOfH, startH);
    sortByGroup(segments.vertical, groupOfV, startV);
    sortByGroup(reachV, groupOfV, startV);
    groupOfH = {};
    groupOfV = {};

    std::vector<RuleGroup> found;
    CellGridScratch scratch;
    std::vector<float> reach;
    std::size_t shared = kSharedUnits;
    std::size_t cells = 0;
    for (std::size_t g = 0; g < count; ++g) {
        const auto horizontal = std::span(segments.horizontal).subspan(startH[g], startH[g + 1] - startH[g]);
        const auto vertical = std::span(segments.vertical).subspan(startV[g], startV[g + 1] - startV[g]);
        obstacles.push_back(horizontal.empty() ? Point{vertical[0].at, vertical[0].middle()}
                                               : Point{horizontal[0].middle(), horizontal[0].at});
        if (horizontal.size() < 2 || vertical.size() < 2) continue;
        reach.assign(reachH.begin() + startH[g], reachH.begin() + startH[g + 1]);
        reach.insert(reach.end(), reachV.begin() + startV[g], reachV.begin() + startV[g + 1]);
        const auto middle = reach.begin() + static_cast<std::ptrdiff_t>(reach.size() / 2);
        std::nth_element(reach.begin(), middle, reach.end());
        RuleGroup group;
        group.near = *middle;
        group.textHeight = group.near / kNearInTextHeights;
        // Grid indices are ints.
        const std::size_t own = std::min(kUnitsPerPiece * reach.size(), kMaxUnits);
        auto grid = findCells(horizontal, vertical, group.near, std::min(own + shared, kMaxUnits), scratch);
        if (!grid) continue;
        if (grid->xs.size() > 1 && grid->ys.size() > 1) {
            const std::size_t units = (grid->xs.size() - 1) * (grid->ys.size() - 1);
            if (units > own) shared -= units - own;
        }
        if (grid->cells.empty()) continue;
        group.grid = std::move(*grid);
        group.firstCell = cells;
        cells += group.grid.cells.size();
        found.push_back(std::move(group));
    }
    obstacles.insert(obstacles.end(), segments.slanted.begin(), segments.slanted.end());
    return found;
}

/// Renumbers the groups' cells after some were dropped.
void renumber(std::vector<RuleGroup>& groups) {
    std::size_t cells = 0;
    for (RuleGroup& g : groups) {
        g.firstCell = cells;
        cells += g.grid.cells.size();
    }
}

/// Drops the cells that hold an obstacle further inside than their group's `near`.
void dropCellsHoldingGeometry(std::vector<RuleGroup>& groups, std::span<const Point> obstacles,
                              std::span<const Point> drawn) {
    std::vector<Rect> inner;
    for (const RuleGroup& g : groups)
        for (const GridCell& c : g.grid.cells) {
            const Rect r = g.rectOf(c);
            inner.push_back({r.x0 + g.near, r.y0 + g.near, r.x1 - g.near, r.y1 - g.near});
        }
    const std::vector<std::uint8_t> holding = holdsAnyPoint(inner, obstacles, drawn);
    inner = {};
    for (RuleGroup& g : groups) {
        std::size_t k = g.firstCell;
        std::erase_if(g.grid.cells, [&](const GridCell&) { return holding[k++] != 0; });
    }
    renumber(groups);
}

/// How tall the texts of a cell stand together, from the top of the highest to the foot of
/// the last line of the lowest.
double textSpan(std::span<const SheetText* const> texts) {
    double top = -std::numeric_limits<double>::infinity();
    double foot = std::numeric_limits<double>::infinity();
    for (const SheetText* t : texts) {
        const auto breaks = static_cast<double>(std::count(t->text.begin(), t->text.end(), '\n'));
        top = std::max(top, t->middle.y + t->height / 2);
        foot = std::min(foot, t->middle.y - t->height / 2 - breaks * kLinePitchInTextHeights * t->height);
    }
    return top - foot;
}

/// The texts of each cell (numbered over all groups): cell c holds textsOf[start[c] .. start[c + 1]).
struct PlacedTexts {
    std::vector<std::size_t> start;
    std::vector<const SheetText*> textsOf;

    std::span<const SheetText*> of(std::size_t c) {
        return std::span(textsOf).subspan(start[c], start[c + 1] - start[c]);
    }
};

PlacedTexts placeTexts(const std::vector<RuleGroup>& groups, std::span<const SheetText> texts) {
    std::vector<Rect> rects;
    for (const RuleGroup& g : groups)
        for (const GridCell& c : g.grid.cells) rects.push_back(g.rectOf(c));
    std::vector<Point> middles;
    std::vector<Index> placed;
    for (std::size_t t = 0; t < texts.size(); ++t) {
        if (!finite(texts[t].middle)) continue;
        middles.push_back(texts[t].middle);
        placed.push_back(static_cast<Index>(t));
    }
    const std::vector<std::int32_t> cellOf = locatePoints(rects, middles);
    PlacedTexts result;
    result.start.assign(rects.size() + 1, 0);
    for (const std::int32_t c : cellOf)
        if (c >= 0) ++result.start[static_cast<std::size_t>(c) + 1];
    for (std::size_t c = 0; c < rects.size(); ++c) result.start[c + 1] += result.start[c];
    result.textsOf.resize(result.start.back());
    std::vector<std::size_t> fill(result.start.begin(), result.start.end() - 1);
    for (std::size_t m = 0; m < cellOf.size(); ++m)
        if (cellOf[m] >= 0) result.textsOf[fill[static_cast<std::size_t>(cellOf[m])]++] = &texts[placed[m]];
    return result;
}

/// The table of the cells `shape` of `grid`; texts.of(k) are the texts of grid.cells[k].
Table makeTable(const CellGrid& grid, std::span<const std::uint32_t> shape, PlacedTexts& texts) {
    std::vector<int> xi, yi;
    for (const Index k : shape) {
        const GridCell& c = grid.cells[k];
        xi.insert(xi.end(), {c.x0, c.x1});
        yi.insert(yi.end(), {c.y0, c.y1});
    }
    for (auto* v : {&xi, &yi}) {
        std::sort(v->begin(), v->end());
        v->erase(std::unique(v->begin(), v->end()), v->end());
    }
    auto place = [](const std::vector<int>& at, int i) {
        return static_cast<int>(std::lower_bound(at.begin(), at.end(), i) - at.begin());
    };
    Table table;
    table.cells.reserve(shape.size());
    for (const int i : xi) table.xs.push_back(grid.xs[static_cast<std::size_t>(i)]);
    for (auto it = yi.rbegin(); it != yi.rend(); ++it) table.ys.push_back(grid.ys[static_cast<std::size_t>(*it)]);
    const int lastLine = static_cast<int>(yi.size()) - 1;
    for (const Index k : shape) {
        const GridCell& c = grid.cells[k];
        const int top = place(yi, c.y1);
        const int left = place(xi, c.x0);
        const auto held = texts.of(k);
        std::int64_t firstLine = 0;
        for (const SheetText* t : held)
            if (firstLine == 0 || (t->line != 0 && t->line < firstLine)) firstLine = t->line;
        Cell cell{lastLine - top, left, top - place(yi, c.y0), place(xi, c.x1) - left, joinCellText(held),
                  static_cast<int>(held.size()), firstLine};
        table.texts += cell.texts;
        table.cells.push_back(std::move(cell));
    }
    std::sort(table.cells.begin(), table.cells.end(), [](const Cell& a, const Cell& b) {
        return a.row < b.row || (a.row == b.row && a.column < b.column);
    });
    return table;
}

std::vector<Table> findRuledTables(const Sheet& sheet) {
    std::vector<Table> tables;
    const TextScale scale(sheet.texts);
    SortedSegments segments = sortSegments(sheet.segments);
    if (scale.empty() || segments.horizontal.size() < 2 || segments.vertical.size() < 2) return tables;

    std::vector<Point> obstacles; // besides what the sheet draws
    std::vector<RuleGroup> groups = findCandidates(std::move(segments), scale, obstacles);
    dropCellsHoldingGeometry(groups, obstacles, sheet.drawn);
    obstacles = {};
    PlacedTexts texts = placeTexts(groups, sheet.texts);

    for (RuleGroup& g : groups) {
        // Cells far taller than their texts (or, empty, than the texts around) go; their
        // texts are in no table.
        int filled = 0;
        std::vector<std::size_t> number; // the kept cells' numbers among all groups'
        std::size_t k = g.firstCell;
        std::erase_if(g.grid.cells, [&](const GridCell& c) {
            const std::size_t n = k++;
            const auto held = texts.of(n);
            const double span = held.empty() ? g.textHeight : textSpan(held);
            const Rect r = g.rectOf(c);
            if (r.y1 - r.y0 > kMaxCellHeightInTexts * span) return true;
            number.push_back(n);
            if (!held.empty()) ++filled;
            return false;
        });
        if (filled == 0 || !ruledLikeATable(g.grid.partingLines, filled)) continue;
        PlacedTexts kept; // by the kept cells' places in g.grid.cells
        kept.start.push_back(0);
        for (const std::size_t n : number) {
            const auto held = texts.of(n);
            kept.textsOf.insert(kept.textsOf.end(), held.begin(), held.end());
            kept.start.push_back(kept.textsOf.size());
        }
        for (const auto& shape : tableShapes(g.grid.cells)) {
            if (shape.size() < 2) continue;
            if (std::all_of(shape.begin(), shape.end(), [&](Index c) { return kept.of(c).empty(); })) continue;
            tables.push_back(makeTable(g.grid, shape, kept));
        }
    }
    return tables;
}

} // namespace

std::vector<Table> findTables(const Sheet& sheet) {
    std::vector<Table> tables = findRuledTables(sheet);
    for (const GivenTable& given : sheet.given) tables.push_back(tableFromGiven(given));
    orderTables(tables);
    return tables;
}

} // namespace dxf2csv::ruled
