#pragma once
// Where the tables of a run go, cell by cell: a CSV file or a workbook. The grouped and the
// ruled tables write through it alike.

#include "reading/field_value.h"

#include <cstdint>
#include <string_view>

namespace dxf2csv {

class TableOutput {
public:
    virtual ~TableOutput() = default;

    /// A table begins: the next worksheet of a workbook, nothing of its own in a CSV.
    virtual void beginTable() = 0;
    /// The next cell of the row, as the drawing holds it (a grouped table's TEXT content).
    /// Throws RunFailure(NotInCodePage) for a character the output's encoding lacks.
    virtual void cell(const FieldValue& content) = 0;
    /// The next cell of the row, as the drawing shows it (UTF-8, text codes decoded); `line`
    /// is the drawing's line of its first text, for messages.
    /// Throws RunFailure(NotInCodePage, NotInDrawingCodePage).
    virtual void shownCell(std::string_view text, std::int64_t line) = 0;
    /// The row ends. Throws RunFailure(OutputCannotBeWritten).
    virtual void endRow() = 0;
    /// The cells of the current table from (row, column), counted from 0, over `rows` rows and
    /// `columns` columns are one cell (its text is the first of them).
    virtual void merge(int row, int column, int rows, int columns) = 0;
    /// The run succeeded: what was held back is written and the output made final.
    /// Throws RunFailure(OutputCannotBeWritten).
    virtual void finish() = 0;
};

} // namespace dxf2csv
