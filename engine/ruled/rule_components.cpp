#include "ruled/rule_components.h"

#include "ruled/index_set.h"
#include "ruled/indices.h"
#include "ruled/union_find.h"

#include <algorithm>
#include <numeric>

namespace dxf2csv::ruled {
namespace {

/// Joins the pieces of one direction that overlap, lengthened by their reach, and stand
/// within reach of each other across: pieces are taken in order of `at`; a run of them whose
/// neighbours are within reach forms a band, and within a band overlapping pieces join.
void joinParallel(std::span<const Piece> pieces, std::span<const float> reach, Index offset, UnionFind& sets) {
    std::vector<Index> order = indices(pieces.size());
    std::sort(order.begin(), order.end(), [&](Index a, Index b) { return pieces[a].at < pieces[b].at; });
    std::size_t first = 0;
    while (first < order.size()) {
        std::size_t end = first + 1;
        while (end < order.size()) {
            const Index before = order[end - 1];
            const Index here = order[end];
            if (pieces[here].at - pieces[before].at > double{std::max(reach[before], reach[here])}) break;
            ++end;
        }
        const auto band = std::span(order).subspan(first, end - first);
        std::sort(band.begin(), band.end(),
                  [&](Index a, Index b) { return pieces[a].lo - reach[a] < pieces[b].lo - reach[b]; });
        Index runner = band[0];
        double runEnd = pieces[runner].hi + reach[runner];
        for (const Index k : band.subspan(1)) {
            if (pieces[k].lo - reach[k] <= runEnd) {
                sets.unite(offset + runner, offset + k);
                runEnd = std::max(runEnd, pieces[k].hi + reach[k]);
            } else {
                runner = k;
                runEnd = pieces[k].hi + reach[k];
            }
        }
        first = end;
    }
}

/// Joins every vertical piece to the horizontal pieces it meets, sweeping from left to right.
/// The horizontal pieces that reach the sweep line are kept by rank of height in an IndexSet;
/// `unsure` holds the active ranks that are not yet known to share a group with the next
/// active rank above them. A vertical piece joins the first active rank in its span and
/// then only the unsure neighbours in it, so each join is paid for by the insertion or
/// removal that made a neighbour unsure, never by the number of crossings.
void joinCrossing(std::span<const Piece> horizontal, std::span<const Piece> vertical, std::span<const float> reach,
                  UnionFind& sets) {
    const std::size_t nh = horizontal.size();
    const auto reachH = reach.first(nh);
    const auto reachV = reach.subspan(nh);

    // rank -> horizontal piece
    const std::vector<Index> byHeight = indicesByKey(nh, [&](Index h) { return horizontal[h].at; });
    // Each rank's height and reach, side by side in rank order, for the sorts and the sweep.
    std::vector<double> heightOf(nh), startAt(nh), endAt(nh);
    for (std::size_t r = 0; r < nh; ++r) {
        const Index h = byHeight[r];
        heightOf[r] = horizontal[h].at;
        startAt[r] = horizontal[h].lo - reachH[h];
        endAt[r] = horizontal[h].hi + reachH[h];
    }
    // ranks, by where they begin to reach
    const std::vector<Index> starts = indicesByKey(nh, [&](Index r) { return startAt[r]; });
    // ranks, by where they stop reaching
    const std::vector<Index> ends = indicesByKey(nh, [&](Index r) { return endAt[r]; });
    const std::vector<Index> across = indicesByKey(vertical.size(), [&](Index k) { return vertical[k].at; });

    IndexSet active(nh);
    IndexSet unsure(nh);
    auto startOf = [&](Index r) { return startAt[r]; };
    auto endOf = [&](Index r) { return endAt[r]; };

    std::size_t s = 0, e = 0, v = 0;
    while (v < across.size()) {
        // At one x, pieces begin before the verticals there meet them and end after.
        const double x = vertical[across[v]].at;
        if (s < nh && startOf(starts[s]) <= x) {
            const Index r = starts[s++];
            active.insert(r);
            unsure.insert(r);
            const std::size_t below = active.previous(r);
            if (below != nh) unsure.insert(below);
            continue;
        }
        if (e < nh && endOf(ends[e]) < x) {
            const Index r = ends[e++];
            active.erase(r);
            unsure.erase(r);
            const std::size_t below = active.previous(r);
            if (below != nh) unsure.insert(below);
            continue;
        }
        const Index k = across[v++];
        const Piece& p = vertical[k];
        const double bottom = p.lo - reachV[k];
        const double top = p.hi + reachV[k];
        const auto from = static_cast<std::size_t>(
            std::partition_point(heightOf.begin(), heightOf.end(), [&](double at) { return at < bottom; }) -
            heightOf.begin());
        const auto to = static_cast<std::size_t>(
            std::partition_point(heightOf.begin(), heightOf.end(), [&](double at) { return at <= top; }) -
            heightOf.begin());
        const std::size_t first = active.next(from);
        if (first >= to) continue;
        const Index self = static_cast<Index>(nh) + k;
        sets.unite(self, byHeight[first]);
        for (std::size_t u = unsure.next(first); u < to;) {
            const std::size_t above = active.next(u + 1);
            if (above >= to) break;
            sets.unite(byHeight[u], byHeight[above]);
            unsure.erase(u);
            u = unsure.next(above);
        }
    }
}

} // namespace

RuleGroups groupRules(std::span<const Piece> horizontal, std::span<const Piece> vertical,
                      std::span<const float> reach) {
    const std::size_t total = horizontal.size() + vertical.size();
    UnionFind sets(total);
    joinParallel(horizontal, reach.first(horizontal.size()), 0, sets);
    joinParallel(vertical, reach.subspan(horizontal.size()), static_cast<Index>(horizontal.size()), sets);
    joinCrossing(horizontal, vertical, reach, sets);

    RuleGroups groups;
    groups.groupOf.assign(total, 0);
    std::vector<Index> number(total, ~Index{0});
    for (std::size_t k = 0; k < total; ++k) {
        const Index root = sets.find(static_cast<Index>(k));
        if (number[root] == ~Index{0}) number[root] = groups.count++;
        groups.groupOf[k] = number[root];
    }
    return groups;
}

} // namespace dxf2csv::ruled
