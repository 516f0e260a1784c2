#pragma once
// One conversion: a drawing in, a CSV file and a report out.

#include "byte_source.h"
#include "csv_writer.h"
#include "line_reader.h"
#include "output_sink.h"
#include "run_report.h"
#include "window_state.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace dxf2csv {

/// Converts the drawing at `inputPath` into the CSV file `outputPath`, with the row tolerance
/// read from `toleranceText` (as typed: blanks, full-width digits, sign and point allowed).
/// The state is cleared first, so every run starts afresh. The CSV replaces `outputPath` only
/// when the run succeeds; a failed run leaves it as it was and no temporary file behind.
/// Throws RunFailure; returns the report only on success.
RunReport ConversionRun(const std::string& inputPath, const std::string& outputPath,
                        std::string_view toleranceText, WindowState& state,
                        CsvEncoding encoding = CsvEncoding::Drawing);

/// The same conversion over any source and sink; `name` names the drawing in failures.
RunReport ConvertDrawing(ByteSource& input, OutputSink& output, std::string_view toleranceText,
                         WindowState& state, const std::string& name, CsvEncoding encoding = CsvEncoding::Drawing);

/// The conversion's scan, over lines already opened (with quietPairSkipper() as their skipper),
/// past a byte-order mark, and a tolerance already read: scans the drawing from a fresh state
/// and makes the output final.
RunReport ConvertLines(LineReader& lines, OutputSink& output, std::int16_t tolerance, WindowState& state,
                       const std::string& name, CsvEncoding encoding = CsvEncoding::Drawing);

} // namespace dxf2csv
