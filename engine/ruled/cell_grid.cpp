#include "ruled/cell_grid.h"

#include <algorithm>

namespace dxf2csv::ruled {
namespace {

constexpr std::uint8_t kCovered = 1; ///< a rule runs the edge's whole length
constexpr std::uint8_t kEntered = 2; ///< a rule runs along part of the edge, beyond an overshoot

/// Marks the edges that `rules` cover. The edges along line L are edges[L * count .. +count),
/// edge i running from positions[i] to positions[i + 1].
void cover(std::span<const Rule> rules, std::span<const double> positions, double near, std::vector<std::uint8_t>& edges) {
    const std::size_t count = positions.size() - 1;
    for (const Rule& rule : rules) {
        std::uint8_t* line = edges.data() + static_cast<std::size_t>(rule.line) * count;
        const auto from = std::lower_bound(positions.begin(), positions.end(), rule.lo - near);
        const auto to = std::upper_bound(positions.begin(), positions.end(), rule.hi + near);
        const std::size_t a = static_cast<std::size_t>(from - positions.begin()); // first position reached
        const std::size_t b = static_cast<std::size_t>(to - positions.begin());   // one past the last
        for (std::size_t i = a; i + 1 < b; ++i) line[i] |= kCovered;
        // The edges that hold the rule's ends, when it stops short of their positions.
        auto enter = [&](std::size_t i) {
            if (i >= count) return;
            const double along = std::min(rule.hi, positions[i + 1]) - std::max(rule.lo, positions[i]);
            if (along > near) line[i] |= kEntered;
        };
        if (a > 0) enter(a - 1);
        if (b > 0 && b - 1 != a - 1) enter(b - 1);
    }
}

} // namespace

std::optional<CellGrid> findCells(std::span<Piece> horizontal, std::span<Piece> vertical, double near,
                                  std::size_t maxUnits, CellGridScratch& scratch) {
    CellGrid grid;
    joinRules(horizontal, near, grid.ys, scratch.horizontalRules);
    joinRules(vertical, near, grid.xs, scratch.verticalRules);
    if (grid.xs.size() < 2 || grid.ys.size() < 2) return grid;
    const std::size_t columns = grid.xs.size() - 1;
    const std::size_t rows = grid.ys.size() - 1;
    if (columns > maxUnits / rows) return std::nullopt;
    const std::size_t units = columns * rows;

    // rowEdges: along horizontal line j, edge i is under column i. columnEdges: along vertical
    // line i, edge j is beside row j.
    auto& rowEdges = scratch.rowEdges;
    auto& columnEdges = scratch.columnEdges;
    rowEdges.assign(grid.ys.size() * columns, 0);
    columnEdges.assign(grid.xs.size() * rows, 0);
    cover(scratch.horizontalRules, grid.xs, near, rowEdges);
    cover(scratch.verticalRules, grid.ys, near, columnEdges);
    auto below = [&](std::size_t i, std::size_t j) { return rowEdges[j * columns + i]; };
    auto above = [&](std::size_t i, std::size_t j) { return rowEdges[(j + 1) * columns + i]; };
    auto left = [&](std::size_t i, std::size_t j) { return columnEdges[i * rows + j]; };
    auto right = [&](std::size_t i, std::size_t j) { return columnEdges[(i + 1) * rows + j]; };

    auto& region = scratch.region; // unit i + j * columns
    auto& queue = scratch.queue;
    auto& regionOpen = scratch.regionOpen;
    region.assign(units, -1);
    regionOpen.clear();
    for (std::size_t start = 0; start < units; ++start) {
        if (region[start] >= 0) continue;
        const auto label = static_cast<std::int32_t>(regionOpen.size());
        bool open = false;
        std::size_t x0 = columns, x1 = 0, y0 = rows, y1 = 0;
        queue.clear();
        queue.push_back(static_cast<std::uint32_t>(start));
        region[start] = label;
        for (std::size_t q = 0; q < queue.size(); ++q) {
            const std::size_t u = queue[q];
            const std::size_t i = u % columns;
            const std::size_t j = u / columns;
            x0 = std::min(x0, i);
            x1 = std::max(x1, i + 1);
            y0 = std::min(y0, j);
            y1 = std::max(y1, j + 1);
            auto step = [&](bool inside, std::uint8_t edge, std::size_t to) {
                if (edge & kCovered) return;
                if (!inside) {
                    open = true;
                } else if (region[to] < 0) {
                    region[to] = label;
                    queue.push_back(static_cast<std::uint32_t>(to));
                }
            };
            step(i > 0, left(i, j), u - 1);
            step(i + 1 < columns, right(i, j), u + 1);
            step(j > 0, below(i, j), u - columns);
            step(j + 1 < rows, above(i, j), u + columns);
        }
        regionOpen.push_back(open ? 1 : 0);
        if (open || queue.size() != (x1 - x0) * (y1 - y0)) continue;
        // A rule inside the region: an edge it enters, or one it covers with the region on both sides.
        bool entered = false;
        for (const std::uint32_t u : queue) {
            const std::size_t i = u % columns;
            const std::size_t j = u / columns;
            if (i + 1 < x1 && (right(i, j) & (kCovered | kEntered))) entered = true;
            if (j + 1 < y1 && (above(i, j) & (kCovered | kEntered))) entered = true;
        }
        if (!entered)
            grid.cells.push_back({static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1), static_cast<int>(y1)});
    }

    // A line parts something when a covered edge on it has different regions on its sides,
    // counting every open region as the outside.
    auto side = [&](bool inside, std::size_t u) -> std::int32_t {
        if (!inside) return -1;
        const std::int32_t r = region[u];
        return regionOpen[static_cast<std::size_t>(r)] ? -1 : r;
    };
    for (std::size_t i = 0; i <= columns; ++i) {
        for (std::size_t j = 0; j < rows; ++j) {
            if (!(columnEdges[i * rows + j] & kCovered)) continue;
            if (side(i > 0, i - 1 + j * columns) != side(i < columns, i + j * columns)) {
                ++grid.partingLines;
                break;
            }
        }
    }
    for (std::size_t j = 0; j <= rows; ++j) {
        for (std::size_t i = 0; i < columns; ++i) {
            if (!(rowEdges[j * columns + i] & kCovered)) continue;
            if (side(j > 0, i + (j - 1) * columns) != side(j < rows, i + j * columns)) {
                ++grid.partingLines;
                break;
            }
        }
    }
    return grid;
}

} // namespace dxf2csv::ruled
