// TextScale: the nearest text's height, and a quick answer where many texts stand equally near.

#include "ruled/text_scale.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <numbers>
#include <vector>

namespace dxf2csv::ruled {
namespace {

TEST(TextScale, GivesTheHeightOfTheNearestText) {
    unsigned seed = 3;
    auto random = [&](int limit) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<double>((seed >> 8) % static_cast<unsigned>(limit));
    };
    for (int round = 0; round < 200; ++round) {
        std::vector<SheetText> texts;
        for (int k = 1 + static_cast<int>(random(60)); k > 0; --k)
            texts.push_back({{random(1000) + 0.001 * k, random(1000)}, 1 + static_cast<double>(texts.size()), "", 0});
        const TextScale scale(texts);
        for (int q = 0; q < 20; ++q) {
            const Point p{random(1100) - 50, random(1100) - 50};
            double best = INFINITY, height = 0;
            for (const SheetText& t : texts) {
                const double d = std::hypot(t.middle.x - p.x, t.middle.y - p.y);
                if (d < best) { best = d; height = t.height; }
            }
            ASSERT_EQ(scale.heightNear(p), height) << "round " << round;
        }
    }
}

TEST(TextScale, GivesTheNearestTextToQuestionsFarFromEveryText) {
    // A rule of the drawing's other geometry may lie far from every table: the texts all stand
    // at much the same distance from it, and the search must still find the nearest.
    unsigned seed = 7;
    auto random = [&](int limit) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<double>((seed >> 8) % static_cast<unsigned>(limit));
    };
    std::vector<SheetText> texts;
    for (int k = 0; k < 5000; ++k)
        texts.push_back({{200000 + random(100000) + 0.001 * k, random(100000)}, 1 + static_cast<double>(k), "", 0});
    const TextScale scale(texts);
    for (int q = 0; q < 200; ++q) {
        const Point p{random(150000), random(100000) - 25000};
        double best = INFINITY, height = 0;
        for (const SheetText& t : texts) {
            const double d = std::hypot(t.middle.x - p.x, t.middle.y - p.y);
            if (d < best) { best = d; height = t.height; }
        }
        ASSERT_EQ(scale.heightNear(p), height) << "question " << q;
    }
}

TEST(TextScale, LeavesOutTextsThatGiveNoSize) {
    const std::vector<SheetText> texts = {
        {{0, 0}, 0, "", 0}, {{1, 1}, -3, "", 0}, {{2, 2}, INFINITY, "", 0}, {{INFINITY, 0}, 5, "", 0}};
    EXPECT_TRUE(TextScale(texts).empty());
    std::vector<SheetText> some = texts;
    some.push_back({{100, 100}, 7, "", 0});
    EXPECT_EQ(TextScale(some).heightNear({0, 0}), 7);
}

TEST(TextScale, TextsOnACircleAroundEveryQuestionTakeNoLongTime) {
    // Every text equally near the centre: an exact search would look at all of them each time.
    std::vector<SheetText> texts;
    for (int k = 0; k < 100000; ++k)
        texts.push_back({{std::cos(k * 0.0001 * std::numbers::pi * 2) * 1000, std::sin(k * 0.0001 * std::numbers::pi * 2) * 1000}, 2, "", 0});
    const TextScale scale(texts);
    const auto start = std::chrono::steady_clock::now();
    for (int q = 0; q < 100000; ++q) EXPECT_EQ(scale.heightNear({0, 0}), 2);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 10.0);
}

} // namespace
} // namespace dxf2csv::ruled
