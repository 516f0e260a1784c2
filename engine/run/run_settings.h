#pragma once
// What the user chose for a run, carried as one value from the front end to the steps.

#include "output/csv_writer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dxf2csv {

/// Which tables a run writes.
enum class TableSource : std::uint8_t {
    Auto,    ///< the grouped tables of a drawing with a GROUP holding a TEXT, else the ruled ones
    Grouped, ///< the GROUPs of TEXTs, as the draughtsman bound them
    Ruled,   ///< the tables drawn as rules with texts in their cells
};

/// The source a name stands for ("auto", "grouped", "ruled"; letters in either case), or
/// nothing.
std::optional<TableSource> tableSourceNamed(std::string_view name);

/// What a run writes.
enum class OutputFormat : std::uint8_t {
    Csv,  ///< CSV lines, in the chosen encoding
    Xlsx, ///< an Excel workbook, a worksheet per table
};

/// The format a name stands for ("csv", "xlsx"; letters in either case), or nothing.
std::optional<OutputFormat> outputFormatNamed(std::string_view name);

struct RunSettings {
    /// The row tolerance as typed (blanks, full-width digits, sign and point allowed); read
    /// when the run starts, so that a bad one fails naming the drawing.
    std::string tolerance = "100";
    CsvEncoding encoding = CsvEncoding::Drawing; ///< of a CSV
    TableSource tables = TableSource::Auto;
    OutputFormat format = OutputFormat::Csv;
};

} // namespace dxf2csv
