#include "ruled/table_order.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dxf2csv::ruled {
namespace {

double topOf(const Table& t) { return t.ys.front(); }
double leftOf(const Table& t) { return t.xs.empty() ? -std::numeric_limits<double>::infinity() : t.xs.front(); }
double topRowOf(const Table& t) { return t.ys.size() < 2 ? 0 : std::abs(t.ys[0] - t.ys[1]); }

} // namespace

void orderTables(std::vector<Table>& tables) {
    const auto placed = std::stable_partition(tables.begin(), tables.end(), [](const Table& t) { return !t.ys.empty(); });
    std::stable_sort(tables.begin(), placed, [](const Table& a, const Table& b) { return topOf(a) > topOf(b); });
    for (auto first = tables.begin(); first != placed;) {
        const double top = topOf(*first);
        auto end = first + 1;
        while (end != placed && top - topOf(*end) <= topRowOf(*end)) ++end;
        std::stable_sort(first, end, [](const Table& a, const Table& b) { return leftOf(a) < leftOf(b); });
        first = end;
    }
}

} // namespace dxf2csv::ruled
