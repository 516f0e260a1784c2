#include "run/conversion_run.h"

#include "messages/run_failure.h"
#include "output/csv_writer.h"
#include "output/run_context.h"
#include "platform/same_file.h"
#include "platform/utf8.h"
#include "reading/quiet_pairs.h"
#include "run/pair_scanner.h"
#include "run/tolerance.h"
#include "text/text_decoder.h"

namespace dxf2csv {
namespace {

constexpr std::string_view kBinaryDxfSentinel = "AutoCAD Binary DXF";
constexpr std::size_t kMemoryBlock = 64 * 1024;

/// Skips a UTF-8 byte-order mark; refuses a binary DXF before anything is written.
void checkStart(LineReader& lines, const std::string& name) {
    if (lines.peek(kBinaryDxfSentinel.size()) == kBinaryDxfSentinel)
        throw RunFailure(FailureKind::BinaryDxf, name, 0, Detail::SaveAsAscii);
    if (lines.peek(kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) lines.skip(kUtf8ByteOrderMark.size());
}

} // namespace

RunReport convertLines(LineReader& lines, OutputSink& output, std::int16_t rowTolerance, CsvEncoding encoding,
                       const std::string& name) {
    RunReport report;
    TextDecoder decoder;
    CellEncoder cells(encoding, decoder, name);
    output.write(cells.preamble());
    const RunContext context{name, decoder, output, cells, report};
    PairScanner scanner(lines, rowTolerance, context);
    scanner.run();
    report.appendLine(std::string(report_text::kTotalCount) + std::to_string(scanner.grouped().totalCount));
    report.appendLine(report_text::kFinished);
    output.commit();
    return report;
}

RunReport convertDrawing(ByteSource& input, OutputSink& output, const RunSettings& settings, const std::string& name) {
    const std::int16_t tolerance = readTolerance(settings.tolerance, name);
    // Sources in memory are mostly small; a smaller block is quicker to set up.
    LineReader lines(input, kMemoryBlock, name, LineReader::kLongestLine, quietPairSkipper());
    checkStart(lines, name);
    return convertLines(lines, output, tolerance, settings.encoding, name);
}

RunReport convertFile(const std::string& inputPath, const std::string& outputPath, const RunSettings& settings) {
    FileSource input(inputPath);
    const std::int16_t tolerance = readTolerance(settings.tolerance, inputPath);
    LineReader lines(input, LineReader::kDefaultBlock, inputPath, LineReader::kLongestLine, quietPairSkipper());
    checkStart(lines, inputPath);
    if (platform::sameFile(inputPath, outputPath))
        throw RunFailure(FailureKind::OutputIsInput, outputPath, 0, Detail::OverwritesDrawing, {quoteText(inputPath)});
    AtomicFile output(outputPath);
    return convertLines(lines, output, tolerance, settings.encoding, inputPath);
}

} // namespace dxf2csv
