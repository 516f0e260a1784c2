#include "run/conversion_run.h"

#include "messages/bilingual_text.h"
#include "messages/run_failure.h"
#include "output/csv_tables.h"
#include "output/csv_writer.h"
#include "output/workbook_tables.h"
#include "output/run_context.h"
#include "platform/same_file.h"
#include "platform/utf8.h"
#include "reading/dxf_names.h"
#include "reading/group_codes.h"
#include "reading/number_reading.h"
#include "reading/quiet_pairs.h"
#include "reading/text_view.h"
#include "ruled/table.h"
#include "ruled/table_writer.h"
#include "run/pair_scanner.h"
#include "run/tolerance.h"
#include "text/text_decoder.h"

#include <functional>
#include <memory>
#include <vector>

namespace dxf2csv {
namespace {

constexpr std::string_view kBinaryDxfSentinel = "AutoCAD Binary DXF";
constexpr std::size_t kMemoryBlock = 64 * 1024;

/// The first `number` lines of `bytes` (fewer when it has fewer), without their line ends.
std::vector<std::string_view> firstLines(std::string_view bytes, std::size_t number) {
    std::vector<std::string_view> lines;
    while (lines.size() < number && !bytes.empty()) {
        const std::size_t end = bytes.find_first_of("\r\n");
        lines.push_back(bytes.substr(0, end));
        if (end == std::string_view::npos) break;
        bytes.remove_prefix(end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1));
    }
    return lines;
}

/// Skips a UTF-8 byte-order mark; refuses before anything is written a binary DXF and a file
/// that is no ASCII DXF drawing at all: an empty one, or one whose first pair is neither
/// (0, SECTION) nor a comment (999), as every DXF writer begins (a picture, a document, a
/// text file given by mistake).
void checkStart(LineReader& lines, const std::string& name) {
    if (lines.peek(kBinaryDxfSentinel.size()) == kBinaryDxfSentinel)
        throw RunFailure(FailureKind::BinaryDxf, name, 0, Detail::SaveAsAscii);
    if (lines.peek(kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) lines.skip(kUtf8ByteOrderMark.size());
    // A DXF line is short; a first pair longer than this is none.
    constexpr std::size_t kFirstPairBytes = 4096;
    const std::vector<std::string_view> first = firstLines(lines.peek(kFirstPairBytes), 2);
    if (first.empty()) throw RunFailure(FailureKind::NotAsciiDxf, name, 0, Detail::EmptyFile);
    const Floored16 code = readGroupCode(first[0]);
    const std::string_view value = first.size() > 1 ? trimBlanks(first[1]) : std::string_view();
    const bool opens = code.status == NumberStatus::Ok &&
                       ((code.value == kCodeEntity && value == names::kSection) || code.value == kCodeComment);
    if (!opens) throw RunFailure(FailureKind::NotAsciiDxf, name, 1, Detail::FirstLine, {quoteText(first[0])});
}

/// How a scan's tables are written and told.
enum class Outcome { Grouped, Ruled, NoGroups };

/// The closing lines every report ends with.
void closeReport(RunReport& report, std::int64_t total) {
    report.appendLine(std::string(report_text::kTotalCount) + std::to_string(total));
    report.appendLine(report_text::kFinished);
}

/// Writes the ruled tables of `sheets` and builds the report of a run that found its tables by
/// their rules, anew (what a scan for groups said of the drawing is dropped).
void writeRuled(ruled::Sheets sheets, const RunContext& context) {
    RunReport& report = context.report;
    report = RunReport();
    report.appendLine(std::string(report_text::kRecognized) +
                      std::to_string(sheets.model.texts.size() + sheets.paper.texts.size()));
    for (const std::string& name : sheets.missingBlocks)
        report.appendLine(fillIn(report_text::kMissingBlock, {name}));
    std::vector<ruled::Table> tables = ruled::findTables(sheets.model);
    std::vector<ruled::Table> paper = ruled::findTables(sheets.paper);
    tables.insert(tables.end(), std::make_move_iterator(paper.begin()), std::make_move_iterator(paper.end()));
    const int texts = ruled::writeRuledTables(tables, context);
    report.appendLine(report_text::kFoundByRules);
    closeReport(report, texts);
}

/// One scan of the drawing after the output's preamble, writing its tables and closing the
/// report: a report of grouped tables exactly as they always gave it, one of ruled tables
/// saying so. `plan.rules` without `plan.groups` gives the ruled tables; `plan.groups` alone
/// the grouped ones; both (the automatic choice in one scan) the grouped ones when a GROUP
/// held a TEXT, else the ruled ones. Groups without the text limit and without rules (the
/// first scan of the automatic choice) give NoGroups for a drawing without a GROUP of TEXTs,
/// having written nothing.
Outcome scan(LineReader& lines, const ScanPlan& plan, std::int16_t rowTolerance, const RunContext& context) {
    PairScanner scanner(lines, plan, rowTolerance, context);
    scanner.run();
    const GroupedTables& grouped = scanner.grouped();
    if (plan.groups && (!plan.rules || grouped.groupsWritten > 0)) {
        if (!plan.limitedTexts && grouped.groupsWritten == 0) return Outcome::NoGroups;
        closeReport(context.report, grouped.totalCount);
        return Outcome::Grouped;
    }
    writeRuled(scanner.takeSheets(), context);
    return Outcome::Ruled;
}

/// The run over `lines`, past the drawing's start; `reopen`, when the drawing can be read
/// again, opens it anew for a second scan (the automatic choice then reads a drawing without
/// grouped tables a second time, for its drawn geometry).
RunReport convert(std::unique_ptr<LineReader> lines, const std::function<std::unique_ptr<LineReader>()>& reopen,
                  OutputSink& output, const RunSettings& settings, std::int16_t tolerance, const std::string& name,
                  const std::string& outputName) {
    RunReport report;
    TextDecoder decoder;
    CellEncoder cells(settings.encoding, decoder, name);
    std::unique_ptr<TableOutput> tables;
    if (settings.format == OutputFormat::Xlsx) tables = std::make_unique<WorkbookTables>(output, decoder, outputName);
    else tables = std::make_unique<CsvTables>(output, cells);
    const RunContext context{name, decoder, *tables, report};
    switch (settings.tables) {
    case TableSource::Grouped: scan(*lines, ScanPlan{true, true, false}, tolerance, context); break;
    case TableSource::Ruled: scan(*lines, ScanPlan{false, true, true}, tolerance, context); break;
    case TableSource::Auto:
        if (!reopen) {
            scan(*lines, ScanPlan{true, false, true}, tolerance, context);
            break;
        }
        // Grouped tables at full speed first, most of the drawing passed over unseen; only a
        // drawing without them is read again, for its drawn geometry.
        if (scan(*lines, ScanPlan{true, false, false}, tolerance, context) == Outcome::NoGroups) {
            lines = reopen();
            decoder = TextDecoder();
            scan(*lines, ScanPlan{false, true, true}, tolerance, context);
        }
        break;
    }
    tables->finish();
    return report;
}

} // namespace

RunReport convertLines(LineReader& lines, OutputSink& output, std::int16_t rowTolerance, CsvEncoding encoding,
                       const std::string& name) {
    RunReport report;
    TextDecoder decoder;
    CellEncoder cells(encoding, decoder, name);
    CsvTables tables(output, cells);
    const RunContext context{name, decoder, tables, report};
    scan(lines, ScanPlan{true, true, false}, rowTolerance, context);
    tables.finish();
    return report;
}

RunReport convertDrawing(ByteSource& input, OutputSink& output, const RunSettings& settings, const std::string& name) {
    const std::int16_t tolerance = readTolerance(settings.tolerance, name);
    // Sources in memory are mostly small; a smaller block is quicker to set up. A source is
    // read once.
    auto lines = std::make_unique<LineReader>(input, kMemoryBlock, name, LineReader::kLongestLine, quietPairSkipper());
    checkStart(*lines, name);
    return convert(std::move(lines), nullptr, output, settings, tolerance, name, "-");
}

RunReport convertFile(const std::string& inputPath, const std::string& outputPath, const RunSettings& settings) {
    auto input = std::make_unique<FileSource>(inputPath);
    const std::int16_t tolerance = readTolerance(settings.tolerance, inputPath);
    auto open = [&] {
        auto lines = std::make_unique<LineReader>(*input, LineReader::kDefaultBlock, inputPath, LineReader::kLongestLine,
                                                  quietPairSkipper());
        checkStart(*lines, inputPath);
        return lines;
    };
    std::unique_ptr<LineReader> lines = open();
    if (platform::sameFile(inputPath, outputPath))
        throw RunFailure(FailureKind::OutputIsInput, outputPath, 0, Detail::OverwritesDrawing, {quoteText(inputPath)});
    AtomicFile output(outputPath);
    auto reopen = [&] {
        input = std::make_unique<FileSource>(inputPath);
        return open();
    };
    return convert(std::move(lines), reopen, output, settings, tolerance, inputPath, outputPath);
}

} // namespace dxf2csv
