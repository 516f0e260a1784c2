#pragma once
// One conversion: a drawing in, a CSV file and a report out. Each run builds its own state, so
// every run starts afresh.

#include "output/output_sink.h"
#include "output/run_report.h"
#include "reading/byte_source.h"
#include "reading/line_reader.h"
#include "run/run_settings.h"

#include <cstdint>
#include <string>

namespace dxf2csv {

/// Converts the drawing at `inputPath` into the CSV file `outputPath`. The CSV replaces
/// `outputPath` only when the run succeeds; a failed run leaves it as it was and no temporary
/// file behind.
/// Throws RunFailure; returns the report only on success.
RunReport convertFile(const std::string& inputPath, const std::string& outputPath, const RunSettings& settings);

/// The same conversion over any source and sink; `name` names the drawing in failures.
RunReport convertDrawing(ByteSource& input, OutputSink& output, const RunSettings& settings, const std::string& name);

/// The conversion's scan, over lines already opened (with quietPairSkipper() as their skipper),
/// past a byte-order mark, and a tolerance already read: scans the drawing and makes the
/// output final.
RunReport convertLines(LineReader& lines, OutputSink& output, std::int16_t rowTolerance, CsvEncoding encoding,
                       const std::string& name);

} // namespace dxf2csv
