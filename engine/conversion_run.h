#pragma once
// One conversion: a drawing in, a CSV file and a report out.

#include "line_reader.h"
#include "output_file.h"
#include "run_report.h"
#include "window_state.h"

#include <string>
#include <string_view>

namespace dxf2csv {

enum class ScanState { Outside = 0, InEntities = 1, InObjects = 2 };

/// Converts the drawing at `inputPath` into the CSV file `outputPath`, with the row tolerance
/// read from `toleranceText` (as typed: blanks, full-width digits, sign and point allowed).
/// The state is cleared first, so every run starts afresh. The CSV replaces `outputPath` only
/// when the run succeeds; a failed run leaves it as it was and no temporary file behind.
/// Throws RunFailure; returns the report only on success.
RunReport ConversionRun(const std::string& inputPath, const std::string& outputPath,
                        std::string_view toleranceText, WindowState& state);

/// The same conversion over any source and sink; `name` names the drawing in failures.
RunReport ConvertDrawing(ByteSource& input, OutputSink& output, std::string_view toleranceText,
                         WindowState& state, const std::string& name);

/// The tolerance box's text as a whole number: full-width characters are read as their ASCII
/// forms, then the number is rounded down and must fit 16 bits.
/// Throws RunFailure(NotANumber or NumberOutOfRange) naming `name`.
std::int16_t readTolerance(std::string_view toleranceText, const std::string& name);

} // namespace dxf2csv
