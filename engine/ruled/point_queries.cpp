#include "ruled/point_queries.h"

#include <algorithm>
#include <numeric>
#include <set>
#include <utility>

namespace dxf2csv::ruled {
namespace {

using Index = std::uint32_t;

std::vector<Index> indices(std::size_t count) {
    std::vector<Index> order(count);
    std::iota(order.begin(), order.end(), Index{0});
    return order;
}

/// Counts of points by rank of y, with prefix sums in O(log n).
class Fenwick {
public:
    explicit Fenwick(std::size_t size) : tree_(size + 1, 0) {}
    void add(std::size_t rank) {
        for (std::size_t i = rank + 1; i < tree_.size(); i += i & (~i + 1)) ++tree_[i];
    }
    /// How many added ranks are below `rank`.
    std::uint32_t below(std::size_t rank) const {
        std::uint32_t sum = 0;
        for (std::size_t i = rank; i > 0; i -= i & (~i + 1)) sum += tree_[i];
        return sum;
    }

private:
    std::vector<std::uint32_t> tree_;
};

} // namespace

std::vector<std::uint8_t> holdsAnyPoint(std::span<const Rect> rects, std::span<const Point> points) {
    std::vector<std::uint8_t> holds(rects.size(), 0);
    if (points.empty()) return holds;
    std::vector<double> ys(points.size());
    for (std::size_t k = 0; k < points.size(); ++k) ys[k] = points[k].y;
    std::sort(ys.begin(), ys.end());
    std::vector<Index> byX = indices(points.size());
    std::sort(byX.begin(), byX.end(), [&](Index a, Index b) { return points[a].x < points[b].x; });

    // Each rectangle is asked twice: the points with x < x1, less those with x <= x0, that lie
    // strictly between y0 and y1.
    struct Probe {
        double x;
        bool through; ///< counts the points at x too
        Index rect;
    };
    std::vector<Probe> probes;
    probes.reserve(2 * rects.size());
    for (std::size_t r = 0; r < rects.size(); ++r) {
        if (!(rects[r].x0 < rects[r].x1) || !(rects[r].y0 < rects[r].y1)) continue;
        probes.push_back({rects[r].x1, false, static_cast<Index>(r)});
        probes.push_back({rects[r].x0, true, static_cast<Index>(r)});
    }
    std::sort(probes.begin(), probes.end(), [](const Probe& a, const Probe& b) {
        return a.x < b.x || (a.x == b.x && !a.through && b.through);
    });
    std::vector<std::int64_t> inside(rects.size(), 0);
    Fenwick added(points.size());
    std::size_t next = 0;
    for (const Probe& probe : probes) {
        while (next < byX.size() && (points[byX[next]].x < probe.x || (probe.through && points[byX[next]].x == probe.x))) {
            const double y = points[byX[next]].y;
            added.add(static_cast<std::size_t>(std::lower_bound(ys.begin(), ys.end(), y) - ys.begin()));
            ++next;
        }
        const Rect& r = rects[probe.rect];
        const auto from = static_cast<std::size_t>(std::upper_bound(ys.begin(), ys.end(), r.y0) - ys.begin());
        const auto to = static_cast<std::size_t>(std::lower_bound(ys.begin(), ys.end(), r.y1) - ys.begin());
        const std::int64_t between = to > from ? std::int64_t{added.below(to)} - std::int64_t{added.below(from)} : 0;
        inside[probe.rect] += probe.through ? -between : between;
    }
    for (std::size_t r = 0; r < rects.size(); ++r) holds[r] = inside[r] > 0 ? 1 : 0;
    return holds;
}

std::vector<std::int32_t> locatePoints(std::span<const Rect> rects, std::span<const Point> points) {
    std::vector<std::int32_t> found(points.size(), -1);
    enum Kind : std::uint8_t { kClose, kOpen, kAsk }; // the order of events at one x
    struct Event {
        double x;
        Kind kind;
        Index what;
    };
    std::vector<Event> events;
    events.reserve(2 * rects.size() + points.size());
    for (std::size_t r = 0; r < rects.size(); ++r) {
        if (!(rects[r].x0 < rects[r].x1) || !(rects[r].y0 < rects[r].y1)) continue;
        events.push_back({rects[r].x0, kOpen, static_cast<Index>(r)});
        events.push_back({rects[r].x1, kClose, static_cast<Index>(r)});
    }
    for (std::size_t p = 0; p < points.size(); ++p) events.push_back({points[p].x, kAsk, static_cast<Index>(p)});
    std::sort(events.begin(), events.end(),
              [](const Event& a, const Event& b) { return a.x < b.x || (a.x == b.x && a.kind < b.kind); });
    std::set<std::pair<double, Index>> open; // by bottom edge
    for (const Event& e : events) {
        if (e.kind == kOpen) {
            open.insert({rects[e.what].y0, e.what});
        } else if (e.kind == kClose) {
            open.erase({rects[e.what].y0, e.what});
        } else {
            const double y = points[e.what].y;
            auto it = open.upper_bound({y, ~Index{0}});
            if (it == open.begin()) continue;
            --it;
            if (y < rects[it->second].y1) found[e.what] = static_cast<std::int32_t>(it->second);
        }
    }
    return found;
}

} // namespace dxf2csv::ruled
