// holdsAnyPoint and locatePoints against trying every point in every rectangle.

#include "ruled/point_queries.h"

#include <gtest/gtest.h>

#include <vector>

namespace dxf2csv::ruled {
namespace {

class Random {
public:
    int below(int n) {
        seed_ = seed_ * 1103515245u + 12345u;
        return static_cast<int>((seed_ >> 8) % static_cast<unsigned>(n));
    }

private:
    unsigned seed_ = 11;
};

TEST(PointQueries, HoldsAnyPointAgreesWithTryingEveryPoint) {
    Random random;
    for (int round = 0; round < 500; ++round) {
        // Small whole coordinates, so that points fall on edges often.
        std::vector<Rect> rects;
        std::vector<Point> points;
        for (int k = random.below(12); k > 0; --k) {
            const double x = random.below(10), y = random.below(10);
            rects.push_back({x, y, x + random.below(6), y + random.below(6)});
        }
        for (int k = random.below(15); k > 0; --k) points.push_back({1.0 * random.below(12), 1.0 * random.below(12)});
        const auto holds = holdsAnyPoint(rects, points);
        for (std::size_t r = 0; r < rects.size(); ++r) {
            bool any = false;
            for (const Point& p : points)
                any = any || (p.x > rects[r].x0 && p.x < rects[r].x1 && p.y > rects[r].y0 && p.y < rects[r].y1);
            ASSERT_EQ(holds[r] != 0, any) << "round " << round << " rect " << r;
        }
    }
}

TEST(PointQueries, LocatePointsAgreesWithTryingEveryRectangle) {
    Random random;
    for (int round = 0; round < 500; ++round) {
        // Rectangles that tile a lattice partly, sharing edges.
        std::vector<Rect> rects;
        for (int x = 0; x < 6; x += 2)
            for (int y = 0; y < 6; ++y)
                if (random.below(3)) rects.push_back({1.0 * x, 1.0 * y, x + 2.0, y + 1.0});
        std::vector<Point> points;
        for (int k = random.below(30); k > 0; --k) points.push_back({0.5 * random.below(14), 0.5 * random.below(14)});
        const auto found = locatePoints(rects, points);
        for (std::size_t p = 0; p < points.size(); ++p) {
            std::int32_t expected = -1;
            for (std::size_t r = 0; r < rects.size(); ++r)
                if (points[p].x >= rects[r].x0 && points[p].x < rects[r].x1 && points[p].y >= rects[r].y0 &&
                    points[p].y < rects[r].y1)
                    expected = static_cast<std::int32_t>(r);
            ASSERT_EQ(found[p], expected) << "round " << round << " point " << p;
        }
    }
}

} // namespace
} // namespace dxf2csv::ruled
