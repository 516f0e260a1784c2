#include "conversion_run.h"

#include "pair_scanner.h"
#include "quiet_pairs.h"
#include "run_context.h"
#include "run_failure.h"
#include "same_file.h"
#include "text_decoder.h"
#include "tolerance.h"

namespace dxf2csv {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kBinaryDxfSentinel = "AutoCAD Binary DXF";
constexpr std::size_t kMemoryBlock = 64 * 1024;

/// Skips a UTF-8 byte-order mark; refuses a binary DXF before anything is written.
void checkStart(LineReader& lines, const std::string& name) {
    if (lines.peek(kBinaryDxfSentinel.size()) == kBinaryDxfSentinel)
        throw RunFailure(FailureKind::BinaryDxf, name, 0, Detail::SaveAsAscii);
    if (lines.peek(kUtf8Bom.size()) == kUtf8Bom) lines.skip(kUtf8Bom.size());
}

} // namespace

RunReport ConvertLines(LineReader& lines, OutputSink& output, std::int16_t tolerance, WindowState& state,
                       const std::string& name, CsvEncoding encoding) {
    state.resetForRun();
    state.heightTolerance = tolerance;
    RunReport report;
    TextDecoder decoder;
    CellEncoder cells(encoding, decoder, name);
    output.write(cells.preamble());
    const RunContext context{name, decoder, output, cells, report};
    PairScanner(lines, state, context).run();
    report.appendLine(std::string(report_text::kTotalCount) + std::to_string(state.totalCount));
    report.appendLine(report_text::kFinished);
    output.commit();
    return report;
}

RunReport ConvertDrawing(ByteSource& input, OutputSink& output, std::string_view toleranceText,
                         WindowState& state, const std::string& name, CsvEncoding encoding) {
    const std::int16_t tolerance = readTolerance(toleranceText, name);
    // Sources in memory are mostly small; a smaller block is quicker to set up.
    LineReader lines(input, kMemoryBlock, name, LineReader::kLongestLine, quietPairSkipper());
    checkStart(lines, name);
    return ConvertLines(lines, output, tolerance, state, name, encoding);
}

RunReport ConversionRun(const std::string& inputPath, const std::string& outputPath,
                        std::string_view toleranceText, WindowState& state, CsvEncoding encoding) {
    FileSource input(inputPath);
    const std::int16_t tolerance = readTolerance(toleranceText, inputPath);
    LineReader lines(input, LineReader::kDefaultBlock, inputPath, LineReader::kLongestLine, quietPairSkipper());
    checkStart(lines, inputPath);
    if (platform::sameFile(inputPath, outputPath))
        throw RunFailure(FailureKind::OutputIsInput, outputPath, 0, Detail::OverwritesDrawing, {quoteText(inputPath)});
    AtomicFile output(outputPath);
    return ConvertLines(lines, output, tolerance, state, inputPath, encoding);
}

} // namespace dxf2csv
