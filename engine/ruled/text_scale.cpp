#include "ruled/text_scale.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace dxf2csv::ruled {
namespace {

struct Range {
    std::size_t lo, hi;
    bool onX;
};

} // namespace

TextScale::TextScale(std::span<const SheetText> texts) {
    nodes_.reserve(texts.size());
    for (const SheetText& t : texts) {
        if (std::isfinite(t.middle.x) && std::isfinite(t.middle.y) && std::isfinite(t.height) && t.height > 0)
            nodes_.push_back({t.middle.x, t.middle.y, t.height});
    }
    std::vector<Range> stack{{0, nodes_.size(), true}};
    while (!stack.empty()) {
        const Range r = stack.back();
        stack.pop_back();
        if (r.hi - r.lo < 2) continue;
        const std::size_t mid = r.lo + (r.hi - r.lo) / 2;
        const auto first = nodes_.begin() + static_cast<std::ptrdiff_t>(r.lo);
        std::nth_element(first, nodes_.begin() + static_cast<std::ptrdiff_t>(mid),
                         nodes_.begin() + static_cast<std::ptrdiff_t>(r.hi), [&](const Node& a, const Node& b) {
                             return r.onX ? a.x < b.x : a.y < b.y;
                         });
        stack.push_back({r.lo, mid, !r.onX});
        stack.push_back({mid + 1, r.hi, !r.onX});
    }
    bounds_.resize(nodes_.size());
    if (!nodes_.empty()) boundRange(0, nodes_.size());
}

TextScale::Bounds TextScale::boundRange(std::size_t lo, std::size_t hi) {
    // Ranges halve, so the recursion is no deeper than the tree (at most 64).
    const std::size_t mid = lo + (hi - lo) / 2;
    const Node& n = nodes_[mid];
    Bounds b{n.x, n.y, n.x, n.y};
    for (const auto& [from, to] : {std::pair{lo, mid}, std::pair{mid + 1, hi}}) {
        if (from >= to) continue;
        const Bounds part = boundRange(from, to);
        b = {std::min(b.minX, part.minX), std::min(b.minY, part.minY), std::max(b.maxX, part.maxX),
             std::max(b.maxY, part.maxY)};
    }
    bounds_[mid] = b;
    return b;
}

double TextScale::heightNear(Point p) const {
    struct Visit {
        std::size_t lo, hi;
        bool onX;
        double planeDistance; ///< how far the range lies from p at least, squared
    };
    // Each range taken off leaves at most one more behind, and ranges halve, so the stack
    // never holds more than the tree's depth (at most 64) plus one.
    std::array<Visit, 70> stack;
    std::size_t top = 0;
    // Field by field, in and out: a visit copied whole is read back in wider pieces than it
    // was written in, and each such read waits for the writes to reach the cache.
    auto push = [&](std::size_t lo, std::size_t hi, bool onX, double planeDistance) {
        Visit& to = stack[top++];
        to.lo = lo;
        to.hi = hi;
        to.onX = onX;
        to.planeDistance = planeDistance;
    };
    push(0, nodes_.size(), true, 0);
    double best = INFINITY;
    double height = nodes_[nodes_.size() / 2].height;
    int visits = 0;
    while (top > 0 && visits < kMaxVisits) {
        const Visit& v = stack[--top];
        const std::size_t lo = v.lo;
        const std::size_t hi = v.hi;
        const bool onX = v.onX;
        const double planeDistance = v.planeDistance;
        if (lo >= hi || planeDistance >= best) continue;
        const std::size_t mid = lo + (hi - lo) / 2;
        // No text of the range lies nearer than its box: passing over it changes nothing.
        const Bounds& box = bounds_[mid];
        const double outX = std::max({box.minX - p.x, p.x - box.maxX, 0.0});
        const double outY = std::max({box.minY - p.y, p.y - box.maxY, 0.0});
        if (outX * outX + outY * outY >= best) continue;
        ++visits;
        const Node& n = nodes_[mid];
        const double dx = n.x - p.x;
        const double dy = n.y - p.y;
        const double d = dx * dx + dy * dy;
        if (d < best) {
            best = d;
            height = n.height;
        }
        const double across = onX ? p.x - n.x : p.y - n.y;
        const double plane = std::max(planeDistance, across * across);
        // The side that holds p is searched first: pushed last.
        if (across < 0) {
            push(mid + 1, hi, !onX, plane);
            push(lo, mid, !onX, planeDistance);
        } else {
            push(lo, mid, !onX, plane);
            push(mid + 1, hi, !onX, planeDistance);
        }
    }
    return height;
}

} // namespace dxf2csv::ruled
