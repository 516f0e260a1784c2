#include "ruled/rules.h"

#include <algorithm>
#include <cmath>

namespace dxf2csv::ruled {

SortedSegments sortSegments(std::span<const Segment> segments) {
    SortedSegments sorted;
    for (const Segment& s : segments) {
        const double dx = s.b.x - s.a.x;
        const double dy = s.b.y - s.a.y;
        if (!std::isfinite(dx) || !std::isfinite(dy) || (dx == 0 && dy == 0)) continue;
        if (std::abs(dy) <= kAxisSlope * std::abs(dx)) {
            sorted.horizontal.push_back({s.a.y + dy / 2, std::min(s.a.x, s.b.x), std::max(s.a.x, s.b.x)});
        } else if (std::abs(dx) <= kAxisSlope * std::abs(dy)) {
            sorted.vertical.push_back({s.a.x + dx / 2, std::min(s.a.y, s.b.y), std::max(s.a.y, s.b.y)});
        } else {
            sorted.slanted.push_back({s.a.x + dx / 2, s.a.y + dy / 2});
        }
    }
    return sorted;
}

void joinRules(std::span<Piece> pieces, double near, std::vector<double>& positions, std::vector<Rule>& rules) {
    positions.clear();
    rules.clear();
    std::sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) { return a.at < b.at; });
    std::size_t first = 0;
    while (first < pieces.size()) {
        std::size_t end = first + 1;
        while (end < pieces.size() && pieces[end].at - pieces[first].at <= near) ++end;
        const int line = static_cast<int>(positions.size());
        const auto longest = std::max_element(pieces.begin() + static_cast<std::ptrdiff_t>(first),
                                              pieces.begin() + static_cast<std::ptrdiff_t>(end),
                                              [](const Piece& a, const Piece& b) { return a.hi - a.lo < b.hi - b.lo; });
        positions.push_back(longest->at);

        const auto group = pieces.subspan(first, end - first);
        std::sort(group.begin(), group.end(), [](const Piece& a, const Piece& b) { return a.lo < b.lo; });
        Rule rule{line, group[0].lo, group[0].hi};
        for (const Piece& p : group.subspan(1)) {
            if (p.lo - rule.hi <= near) {
                rule.hi = std::max(rule.hi, p.hi);
            } else {
                rules.push_back(rule);
                rule = {line, p.lo, p.hi};
            }
        }
        rules.push_back(rule);
        first = end;
    }
}

} // namespace dxf2csv::ruled
