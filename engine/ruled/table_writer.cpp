#include "ruled/table_writer.h"

#include "messages/bilingual_text.h"
#include "messages/messages.h"
#include "output/table_output.h"
#include "output/run_context.h"
#include "output/run_report.h"

namespace dxf2csv::ruled {

int writeRuledTables(const std::vector<Table>& tables, const RunContext& context) {
    if (tables.empty()) context.report.appendLine(report_text::kNoTable);
    int texts = 0;
    std::vector<const Cell*> grid;
    TableOutput& out = context.tables;
    for (std::size_t t = 0; t < tables.size(); ++t) {
        const Table& table = tables[t];
        const auto rows = static_cast<std::size_t>(table.rows());
        const auto columns = static_cast<std::size_t>(table.columns());
        // The cell whose text stands at each grid position: only the top-left of a span.
        grid.assign(rows * columns, nullptr);
        for (const Cell& cell : table.cells) {
            const auto row = static_cast<std::size_t>(cell.row);
            const auto column = static_cast<std::size_t>(cell.column);
            if (row < rows && column < columns) grid[row * columns + column] = &cell;
        }
        out.beginTable();
        for (std::size_t r = 0; r < rows; ++r) {
            for (std::size_t c = 0; c < columns; ++c) {
                const Cell* cell = grid[r * columns + c];
                out.shownCell(cell == nullptr ? std::string_view() : std::string_view(cell->text), cell == nullptr ? 0 : cell->line);
            }
            out.endRow();
        }
        for (const Cell& cell : table.cells) out.merge(cell.row, cell.column, cell.rows, cell.columns);
        context.report.appendLine(fillIn(report_text::kRuledTable,
                                         {std::to_string(t + 1), std::to_string(rows), std::to_string(columns),
                                          std::to_string(table.texts)}));
        texts += table.texts;
    }
    return texts;
}

} // namespace dxf2csv::ruled
