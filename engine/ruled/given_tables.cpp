#include "ruled/given_tables.h"

#include <algorithm>

namespace dxf2csv::ruled {

Table tableFromGiven(const GivenTable& given) {
    Table table;
    table.xs = given.xs;
    table.ys = given.ys;
    table.cells.reserve(given.cells.size());
    for (const GivenCell& g : given.cells) {
        const int texts = g.text.empty() ? 0 : 1;
        table.cells.push_back({g.row, g.column, g.rows, g.columns, g.text, texts, given.line});
        table.texts += texts;
    }
    std::stable_sort(table.cells.begin(), table.cells.end(), [](const Cell& a, const Cell& b) {
        return a.row < b.row || (a.row == b.row && a.column < b.column);
    });
    return table;
}

} // namespace dxf2csv::ruled
