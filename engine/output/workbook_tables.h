#pragma once
// The tables of a run as an Excel workbook: one worksheet per table, 表1, 表2, ... in the order
// a CSV writes them, held until the run succeeds and then written with libxlsxwriter.

#include "output/output_sink.h"
#include "output/table_output.h"

#include <string>
#include <vector>

namespace dxf2csv {

class TextDecoder;

class WorkbookTables final : public TableOutput {
public:
    /// `decoder` gives a grouped cell as the drawing shows it; `name` names the output in
    /// failures.
    WorkbookTables(OutputSink& output, const TextDecoder& decoder, std::string name)
        : output_(output), decoder_(decoder), name_(std::move(name)) {}

    void beginTable() override;
    void cell(const FieldValue& content) override;
    void shownCell(std::string_view text, std::int64_t line) override;
    void endRow() override;
    void merge(int row, int column, int rows, int columns) override;
    /// Writes the workbook (one empty worksheet 表1 when no table was written) to the output
    /// and makes it final. Throws RunFailure(OutputCannotBeWritten).
    void finish() override;

private:
    struct Merge {
        int row, column, rows, columns;
    };
    struct Sheet {
        std::vector<std::vector<std::string>> rows{{}}; ///< UTF-8 texts; the last row is open
        std::vector<Merge> merges;
    };
    Sheet& current();
    /// The workbook's bytes, through a temporary file (libxlsxwriter writes only to files).
    std::string workbookBytes() const;

    OutputSink& output_;
    const TextDecoder& decoder_;
    std::string name_;
    std::vector<Sheet> sheets_;
};

} // namespace dxf2csv
