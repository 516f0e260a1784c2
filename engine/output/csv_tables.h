#pragma once
// The tables of a run as CSV lines: a table's rows one after the other, nothing between tables.

#include "output/csv_writer.h"
#include "output/output_sink.h"
#include "output/table_output.h"

#include <string>

namespace dxf2csv {

class CsvTables final : public TableOutput {
public:
    /// Writes the encoding's preamble (a byte-order mark) to `output` at once.
    CsvTables(OutputSink& output, CellEncoder& cells);

    void beginTable() override {}
    void cell(const FieldValue& content) override { csv_.field(cells_.encode(content)); }
    void shownCell(std::string_view text, std::int64_t line) override {
        csv_.field(text.empty() ? text : cells_.encodeShown(text, line));
    }
    void endRow() override { csv_.endLine(); }
    /// A CSV has no merged cells: the text stands in the first, the others are empty.
    void merge(int, int, int, int) override {}
    void finish() override { output_.commit(); }

private:
    OutputSink& output_;
    CellEncoder& cells_;
    std::string line_;
    CsvLineWriter csv_;
};

} // namespace dxf2csv
