#include "ruled/point_queries.h"

#include "ruled/indices.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <set>
#include <utility>

namespace dxf2csv::ruled {
namespace {

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

/// A coarse cover of rectangles: the cells of a kSide x kSide raster over their bounding box
/// that some rectangle reaches. Telling a point far from every rectangle costs a few
/// operations, where the sweep sorts it; a drawing holds millions of other drawn things and a
/// few thousand cells of tables.
class Cover {
public:
    explicit Cover(std::span<const Rect> rects) {
        for (const Rect& r : rects) {
            if (!(r.x0 < r.x1) || !(r.y0 < r.y1)) continue;
            x0_ = std::min(x0_, r.x0);
            y0_ = std::min(y0_, r.y0);
            x1_ = std::max(x1_, r.x1);
            y1_ = std::max(y1_, r.y1);
        }
        if (!(x0_ < x1_) || !(y0_ < y1_)) return;
        sx_ = kSide / (x1_ - x0_);
        sy_ = kSide / (y1_ - y0_);
        // Each rectangle adds 1 at its first raster cell and takes it back past its last, both
        // ways; the running sums then count the rectangles over each cell: O(rectangles + cells).
        std::vector<std::int32_t> counts((kSide + 1) * (kSide + 1), 0);
        auto at = [&](std::size_t i, std::size_t j) -> std::int32_t& { return counts[j * (kSide + 1) + i]; };
        for (const Rect& r : rects) {
            if (!(r.x0 < r.x1) || !(r.y0 < r.y1)) continue;
            const std::size_t i0 = column(r.x0), i1 = column(r.x1) + 1, j0 = row(r.y0), j1 = row(r.y1) + 1;
            ++at(i0, j0);
            --at(i1, j0);
            --at(i0, j1);
            ++at(i1, j1);
        }
        reached_.assign(kSide * kSide, 0);
        for (std::size_t j = 0; j < kSide; ++j)
            for (std::size_t i = 0; i < kSide; ++i) {
                if (i > 0) at(i, j) += at(i - 1, j);
                if (j > 0) at(i, j) += at(i, j - 1);
                if (i > 0 && j > 0) at(i, j) -= at(i - 1, j - 1);
                reached_[j * kSide + i] = at(i, j) > 0 ? 1 : 0;
            }
    }

    /// False only for a point that no rectangle can hold.
    bool mayHold(const Point& p) const {
        if (reached_.empty() || !(p.x >= x0_ && p.x <= x1_ && p.y >= y0_ && p.y <= y1_)) return false;
        return reached_[row(p.y) * kSide + column(p.x)] != 0;
    }

private:
    static constexpr std::size_t kSide = 512;

    std::size_t column(double x) const { return clamp((x - x0_) * sx_); }
    std::size_t row(double y) const { return clamp((y - y0_) * sy_); }
    static std::size_t clamp(double v) {
        return v <= 0 ? 0 : v >= static_cast<double>(kSide - 1) ? kSide - 1 : static_cast<std::size_t>(v);
    }

    double x0_ = std::numeric_limits<double>::infinity(), y0_ = std::numeric_limits<double>::infinity();
    double x1_ = -std::numeric_limits<double>::infinity(), y1_ = -std::numeric_limits<double>::infinity();
    double sx_ = 0, sy_ = 0;
    std::vector<std::uint8_t> reached_;
};

} // namespace

std::vector<std::uint8_t> holdsAnyPoint(std::span<const Rect> rects, std::span<const Point> points) {
    return holdsAnyPoint(rects, points, {});
}

std::vector<std::uint8_t> holdsAnyPoint(std::span<const Rect> rects, std::span<const Point> firstPoints,
                                        std::span<const Point> morePoints) {
    std::vector<std::uint8_t> holds(rects.size(), 0);
    const Cover cover(rects);
    std::vector<Point> points;
    for (const std::span<const Point> set : {firstPoints, morePoints})
        for (const Point& p : set)
            if (cover.mayHold(p)) points.push_back(p);
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
