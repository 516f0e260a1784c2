// IndexSet against std::set under random operations, across the sizes where its levels change.

#include "ruled/index_set.h"

#include <gtest/gtest.h>

#include <set>

namespace dxf2csv::ruled {
namespace {

TEST(IndexSet, BehavesAsAnOrderedSet) {
    unsigned seed = 99;
    auto random = [&](std::size_t limit) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<std::size_t>((seed >> 4) % limit);
    };
    for (const std::size_t bound : {1u, 2u, 63u, 64u, 65u, 4095u, 4096u, 4097u, 262145u}) {
        SCOPED_TRACE("bound " + std::to_string(bound));
        IndexSet set(bound);
        std::set<std::size_t> model;
        EXPECT_EQ(set.next(0), bound);
        EXPECT_EQ(set.previous(bound), bound);
        for (int step = 0; step < 20000; ++step) {
            // Members cluster now and then, so that whole words fill and empty.
            const std::size_t i = random(4) == 0 ? random(bound) : std::min(bound - 1, bound / 2 + random(200));
            switch (random(4)) {
            case 0:
            case 1:
                set.insert(i);
                model.insert(i);
                break;
            case 2:
                set.erase(i);
                model.erase(i);
                break;
            default: {
                const auto after = model.lower_bound(i);
                ASSERT_EQ(set.next(i), after == model.end() ? bound : *after) << i;
                const auto before = model.lower_bound(i);
                ASSERT_EQ(set.previous(i), before == model.begin() ? bound : *std::prev(before)) << i;
                ASSERT_EQ(set.contains(i), model.count(i) == 1);
            }
            }
        }
        EXPECT_EQ(set.next(bound), bound);
        EXPECT_EQ(set.previous(bound + 5), model.empty() ? bound : *model.rbegin());
    }
}

} // namespace
} // namespace dxf2csv::ruled
