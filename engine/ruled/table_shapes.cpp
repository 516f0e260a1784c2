#include "ruled/table_shapes.h"

#include "ruled/indices.h"
#include "ruled/union_find.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace dxf2csv::ruled {
namespace {


/// One side of a cell: on grid line `line`, from `from` to `to` along it.
struct Side {
    int line, from, to;
    Index cell;
};

/// Joins the cells whose `first` sides meet `second` sides along a stretch of one line.
void joinFacing(std::vector<Side>& first, std::vector<Side>& second, UnionFind& sets) {
    auto order = [](const Side& a, const Side& b) { return a.line < b.line || (a.line == b.line && a.from < b.from); };
    std::sort(first.begin(), first.end(), order);
    std::sort(second.begin(), second.end(), order);
    std::size_t a = 0, b = 0;
    while (a < first.size() && b < second.size()) {
        const Side& s = first[a];
        const Side& t = second[b];
        if (s.line != t.line) {
            (s.line < t.line ? a : b)++;
            continue;
        }
        if (std::max(s.from, t.from) < std::min(s.to, t.to)) sets.unite(s.cell, t.cell);
        (s.to <= t.to ? a : b)++;
    }
}

/// The cells seen with x and y exchanged, so that one cutting step serves both directions.
GridCell transposed(const GridCell& c) { return {c.y0, c.x0, c.y1, c.x1}; }

/// Cuts `part` across rows (of `cells` as `view` shows them); returns the parts, or one part
/// (the same) when no line cuts it.
template <class View>
std::vector<std::vector<Index>> cutAcrossRows(std::span<const GridCell> cells, const std::vector<Index>& part, View view) {
    int top = std::numeric_limits<int>::min(), bottom = std::numeric_limits<int>::max();
    for (const Index k : part) {
        const GridCell c = view(cells[k]);
        bottom = std::min(bottom, c.y0);
        top = std::max(top, c.y1);
    }
    const auto rows = static_cast<std::size_t>(top - bottom);
    struct Row {
        std::int64_t units = 0;
        int from = std::numeric_limits<int>::max(), to = std::numeric_limits<int>::min();
        int crossing = 0; ///< change in the number of cells that cross the line below this row
    };
    std::vector<Row> row(rows + 1);
    for (const Index k : part) {
        const GridCell c = view(cells[k]);
        for (int y = c.y0; y < c.y1; ++y) {
            Row& r = row[static_cast<std::size_t>(y - bottom)];
            r.units += c.x1 - c.x0;
            r.from = std::min(r.from, c.x0);
            r.to = std::max(r.to, c.x1);
        }
        if (c.y1 - c.y0 > 1) {
            ++row[static_cast<std::size_t>(c.y0 + 1 - bottom)].crossing;
            --row[static_cast<std::size_t>(c.y1 - bottom)].crossing;
        }
    }
    std::vector<std::size_t> band(rows, 0);
    int crossing = 0;
    std::size_t bands = 1;
    for (std::size_t y = 1; y < rows; ++y) {
        crossing += row[y].crossing;
        const Row& a = row[y - 1];
        const Row& b = row[y];
        if (crossing == 0 && (a.units != b.units || a.from != b.from || a.to != b.to)) ++bands;
        band[y] = bands - 1;
    }
    std::vector<std::vector<Index>> parts(bands);
    for (const Index k : part) parts[band[static_cast<std::size_t>(view(cells[k]).y0 - bottom)]].push_back(k);
    std::erase_if(parts, [](const std::vector<Index>& p) { return p.empty(); });
    return parts;
}

bool fillsItsRectangle(std::span<const GridCell> cells, const std::vector<Index>& part) {
    int x0 = std::numeric_limits<int>::max(), y0 = x0, x1 = std::numeric_limits<int>::min(), y1 = x1;
    std::int64_t area = 0;
    for (const Index k : part) {
        const GridCell& c = cells[k];
        x0 = std::min(x0, c.x0);
        y0 = std::min(y0, c.y0);
        x1 = std::max(x1, c.x1);
        y1 = std::max(y1, c.y1);
        area += std::int64_t{c.x1 - c.x0} * (c.y1 - c.y0);
    }
    return area == std::int64_t{x1 - x0} * (y1 - y0);
}

} // namespace

std::vector<std::vector<Index>> tableShapes(std::span<const GridCell> cells) {
    UnionFind sets(cells.size());
    std::vector<Side> first, second;
    first.reserve(cells.size());
    second.reserve(cells.size());
    for (Index k = 0; k < cells.size(); ++k) {
        first.push_back({cells[k].x1, cells[k].y0, cells[k].y1, k});  // right sides
        second.push_back({cells[k].x0, cells[k].y0, cells[k].y1, k}); // left sides
    }
    joinFacing(first, second, sets);
    first.clear();
    second.clear();
    for (Index k = 0; k < cells.size(); ++k) {
        first.push_back({cells[k].y1, cells[k].x0, cells[k].x1, k});  // tops
        second.push_back({cells[k].y0, cells[k].x0, cells[k].x1, k}); // bottoms
    }
    joinFacing(first, second, sets);

    std::vector<std::vector<Index>> groups;
    std::vector<Index> groupOf(cells.size(), ~Index{0});
    for (Index k = 0; k < cells.size(); ++k) {
        Index& g = groupOf[sets.find(k)];
        if (g == ~Index{0}) {
            g = static_cast<Index>(groups.size());
            groups.emplace_back();
        }
        groups[g].push_back(k);
    }

    std::vector<std::vector<Index>> shapes;
    std::vector<std::pair<std::vector<Index>, int>> work; // a part and the rounds it took
    for (auto& g : groups) work.emplace_back(std::move(g), 0);
    while (!work.empty()) {
        auto [part, rounds] = std::move(work.back());
        work.pop_back();
        if (fillsItsRectangle(cells, part)) {
            shapes.push_back(std::move(part));
            continue;
        }
        if (rounds >= kMaxCutRounds) continue;
        auto parts = cutAcrossRows(cells, part, [](const GridCell& c) { return c; });
        if (parts.size() == 1) parts = cutAcrossRows(cells, part, transposed);
        if (parts.size() == 1) continue;
        for (auto& p : parts) work.emplace_back(std::move(p), rounds + 1);
    }
    return shapes;
}

} // namespace dxf2csv::ruled
