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

    std::vector<Index> byHeight = indices(nh); // rank -> horizontal piece
    std::sort(byHeight.begin(), byHeight.end(), [&](Index a, Index b) { return horizontal[a].at < horizontal[b].at; });

    std::vector<Index> starts = indices(nh); // ranks, by where they begin to reach
    std::sort(starts.begin(), starts.end(), [&](Index a, Index b) {
        return horizontal[byHeight[a]].lo - reachH[byHeight[a]] < horizontal[byHeight[b]].lo - reachH[byHeight[b]];
    });
    std::vector<Index> ends = indices(nh); // ranks, by where they stop reaching
    std::sort(ends.begin(), ends.end(), [&](Index a, Index b) {
        return horizontal[byHeight[a]].hi + reachH[byHeight[a]] < horizontal[byHeight[b]].hi + reachH[byHeight[b]];
    });
    std::vector<Index> across = indices(vertical.size());
    std::sort(across.begin(), across.end(), [&](Index a, Index b) { return vertical[a].at < vertical[b].at; });

    IndexSet active(nh);
    IndexSet unsure(nh);
    auto startOf = [&](Index r) { return horizontal[byHeight[r]].lo - reachH[byHeight[r]]; };
    auto endOf = [&](Index r) { return horizontal[byHeight[r]].hi + reachH[byHeight[r]]; };

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
            std::partition_point(byHeight.begin(), byHeight.end(), [&](Index h) { return horizontal[h].at < bottom; }) -
            byHeight.begin());
        const auto to = static_cast<std::size_t>(
            std::partition_point(byHeight.begin(), byHeight.end(), [&](Index h) { return horizontal[h].at <= top; }) -
            byHeight.begin());
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
