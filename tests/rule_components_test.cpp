// groupRules against the pairwise reading of its contract on random pieces.

#include "ruled/rule_components.h"
#include "ruled/union_find.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

namespace dxf2csv::ruled {
namespace {

/// Two labelings are the same partition when each pair is together in both or in neither.
bool samePartition(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if ((a[i] == a[j]) != (b[i] == b[j])) return false;
    return true;
}

/// Every pair tried: a horizontal and a vertical piece meet when each, lengthened by its
/// reach, reaches the other's line within the other's lengthened span; pieces of one
/// direction join when their lengthened spans overlap and they stand in one band (a run,
/// in order across, each within the larger reach of the next).
std::vector<std::uint32_t> byEveryPair(const std::vector<Piece>& h, const std::vector<Piece>& v,
                                       const std::vector<float>& reach) {
    const std::size_t nh = h.size();
    UnionFind sets(nh + v.size());
    auto parallel = [&](const std::vector<Piece>& p, std::size_t offset) {
        std::vector<std::size_t> order(p.size());
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return p[a].at < p[b].at; });
        std::vector<int> band(p.size());
        int b = 0;
        for (std::size_t k = 0; k < order.size(); ++k) {
            if (k > 0 && p[order[k]].at - p[order[k - 1]].at >
                             double{std::max(reach[offset + order[k]], reach[offset + order[k - 1]])})
                ++b;
            band[order[k]] = b;
        }
        for (std::size_t i = 0; i < p.size(); ++i)
            for (std::size_t j = 0; j < i; ++j)
                if (band[i] == band[j] && p[i].lo - reach[offset + i] <= p[j].hi + reach[offset + j] &&
                    p[j].lo - reach[offset + j] <= p[i].hi + reach[offset + i])
                    sets.unite(static_cast<std::uint32_t>(offset + i), static_cast<std::uint32_t>(offset + j));
    };
    parallel(h, 0);
    parallel(v, nh);
    for (std::size_t i = 0; i < nh; ++i)
        for (std::size_t j = 0; j < v.size(); ++j) {
            const double rh = reach[i], rv = reach[nh + j];
            if (v[j].at >= h[i].lo - rh && v[j].at <= h[i].hi + rh && h[i].at >= v[j].lo - rv && h[i].at <= v[j].hi + rv)
                sets.unite(static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(nh + j));
        }
    std::vector<std::uint32_t> labels(nh + v.size());
    for (std::size_t k = 0; k < labels.size(); ++k) labels[k] = sets.find(static_cast<std::uint32_t>(k));
    return labels;
}

TEST(GroupRules, AgreesWithTryingEveryPair) {
    unsigned seed = 5;
    auto random = [&](int limit) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 8) % static_cast<unsigned>(limit));
    };
    for (int round = 0; round < 2000; ++round) {
        // Pieces on a coarse lattice, so that ends meet lines exactly as often as not.
        const int n = 1 + random(40);
        std::vector<Piece> h, v;
        std::vector<float> reachH, reachV;
        for (int k = 0; k < n; ++k) {
            const double at = random(12), lo = random(12), len = random(8);
            Piece p{at + (random(4) == 0 ? 0.3 : 0), lo, lo + len + 0.5};
            const float r = static_cast<float>(random(3)) * 0.25f;
            if (random(2)) { h.push_back(p); reachH.push_back(r); } else { v.push_back(p); reachV.push_back(r); }
        }
        std::vector<float> reach = reachH;
        reach.insert(reach.end(), reachV.begin(), reachV.end());
        const RuleGroups groups = groupRules(h, v, reach);
        ASSERT_TRUE(samePartition(groups.groupOf, byEveryPair(h, v, reach))) << "round " << round;
        const auto most = std::max_element(groups.groupOf.begin(), groups.groupOf.end());
        ASSERT_EQ(groups.count, most == groups.groupOf.end() ? 0u : *most + 1);
    }
}

TEST(GroupRules, AHundredThousandCrossingLinesTakeNoQuadraticTime) {
    // 50,000 long horizontals crossed by 50,000 long verticals: 2.5 billion crossings.
    std::vector<Piece> h, v;
    for (int k = 0; k < 50000; ++k) {
        h.push_back({static_cast<double>(k), 0, 50000});
        v.push_back({static_cast<double>(k), 0, 50000});
    }
    const std::vector<float> reach(100000, 0.1f);
    const RuleGroups groups = groupRules(h, v, reach);
    EXPECT_EQ(groups.count, 1u);
}

} // namespace
} // namespace dxf2csv::ruled
