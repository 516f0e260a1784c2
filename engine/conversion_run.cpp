#include "conversion_run.h"

#include "group_codes.h"
#include "group_table.h"
#include "run_context.h"
#include "run_failure.h"
#include "text_decoder.h"
#include "text_table.h"


namespace dxf2csv {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kBinaryDxfSentinel = "AutoCAD Binary DXF";
constexpr std::size_t kMemoryBlock = 64 * 1024;

/// Replaces the full-width forms an input method types (digits, signs, point, E, space).
std::string asciiForms(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        if (b0 == 0xEF && i + 2 < text.size()) {
            // U+FF01..U+FF5E is EF BC 81..EF BD 9E, ASCII 0x21..0x7E.
            const auto b1 = static_cast<unsigned char>(text[i + 1]);
            const auto b2 = static_cast<unsigned char>(text[i + 2]);
            int code = -1;
            if (b1 == 0xBC && b2 >= 0x81 && b2 <= 0xBF) code = 0x21 + (b2 - 0x81);
            if (b1 == 0xBD && b2 >= 0x80 && b2 <= 0x9E) code = 0x60 + (b2 - 0x80);
            const bool wanted = (code >= '0' && code <= '9') || code == '+' || code == '-' ||
                                code == '.' || code == 'e' || code == 'E';
            if (wanted) {
                out += static_cast<char>(code);
                i += 2;
                continue;
            }
        }
        if (b0 == 0xE3 && i + 2 < text.size() && text[i + 1] == '\x80' && text[i + 2] == '\x80') {
            out += ' '; // U+3000 ideographic space
            i += 2;
            continue;
        }
        out += static_cast<char>(b0);
    }
    return out;
}

enum class HeaderVariable { None, Version, CodePage };

/// Reads pairs and routes them by section; the hot loop of a run.
class Scanner {
public:
    Scanner(LineReader& lines, WindowState& state, const RunContext& context)
        : lines_(lines), state_(state), context_(context) {}

    void run() {
        bool expectCode = true;
        std::int16_t code = 0;
        std::int64_t codeLineNumber = 0;
        lines_.forEachLine([&](std::string_view line, std::int64_t number) {
            if (expectCode) {
                code = groupCodeValue(line, context_.file, number);
                codeLineNumber = number;
                expectCode = false;
                return LineFlow::Next;
            }
            expectCode = true;
            return pair(code, line, number);
        });
        if (!expectCode)
            throw RunFailure(FailureKind::InputEndsInsidePair, context_.file, codeLineNumber,
                             "group code " + std::to_string(code) + " has no value line");
        if (scan_ == ScanState::InObjects) groupStep_.finish(state_, context_);
    }

private:
    /// Routes one pair; Stop when it ends the drawing (0, EOF).
    LineFlow pair(std::int16_t code, std::string_view value, std::int64_t valueLine) {
        state_.groupCode = code;
        state_.currentLine = value;
        state_.currentLineNumber = valueLine;

        // Section keywords count only where DXF puts them: a section's name right after
        // (0, SECTION), and (0, ENDSEC). Most (0, ...) pairs start entities, so the first
        // letter sorts them out before any comparison.
        const bool wasAfterSection = afterSection_;
        afterSection_ = false;
        if (code == kCodeEntity && !value.empty()) {
            if (value[0] == 'E') {
                if (startsWith(value, "ENDSEC")) {
                    if (scan_ == ScanState::InObjects) groupStep_.finish(state_, context_);
                    scan_ = ScanState::Outside;
                    inHeader_ = false;
                    return LineFlow::Next;
                }
                if (startsWith(value, "EOF")) return LineFlow::Stop;
            } else if (value[0] == 'S') {
                afterSection_ = startsWith(value, "SECTION");
            }
        } else if (code == kCodeName && wasAfterSection) {
            enterSection(value);
        }

        switch (scan_) {
        case ScanState::InEntities: captureTextPair(state_, textFlag_, context_); break;
        case ScanState::InObjects: groupStep_.step(state_, context_); break;
        case ScanState::Outside:
            if (inHeader_) pending_ = readHeader(code, value, pending_);
            break;
        }
        return quiet() ? LineFlow::SkipQuietPairs : LineFlow::Next;
    }

    /// True when no quiet pair (see LineFlow) can change anything: outside a TEXT, a GROUP,
    /// the header and a section's start, only (0, TEXT), (0, GROUP) and the section markers
    /// matter, and an entity or object of another name leaves everything as it was.
    bool quiet() const {
        if (afterSection_) return false;
        switch (scan_) {
        case ScanState::InEntities: return !textFlag_;
        case ScanState::InObjects: return !groupStep_.groupFlag;
        case ScanState::Outside: return !inHeader_;
        }
        return false;
    }

    void enterSection(std::string_view name) {
        inHeader_ = startsWith(name, "HEADER");
        if (startsWith(name, "ENTITIES")) {
            scan_ = ScanState::InEntities;
            state_.textCount = 0;
        } else if (startsWith(name, "OBJECTS")) {
            state_.recognizedCount = state_.textCount;
            context_.report.appendLine(std::string(report_text::kRecognized) +
                                       std::to_string(state_.recognizedCount) +
                                       std::string(report_text::kRecognizedLimit));
            scan_ = ScanState::InObjects;
            groupStep_.tableChanged();
        }
    }

    /// Picks up $ACADVER and $DWGCODEPAGE of the HEADER section, which decide how the report
    /// shows the texts.
    HeaderVariable readHeader(int code, std::string_view value, HeaderVariable pending) {
        if (code == kCodeVariable) {
            if (value == "$ACADVER") return HeaderVariable::Version;
            if (value == "$DWGCODEPAGE") return HeaderVariable::CodePage;
            return HeaderVariable::None;
        }
        if (pending == HeaderVariable::Version && code == kCodeContent) context_.decoder.setVersion(value);
        if (pending == HeaderVariable::CodePage && code == kCodeCodePage) context_.decoder.setCodePage(value);
        return HeaderVariable::None;
    }

    LineReader& lines_;
    WindowState& state_;
    const RunContext& context_;
    ScanState scan_ = ScanState::Outside;
    bool textFlag_ = false;
    bool afterSection_ = false;
    bool inHeader_ = false;
    HeaderVariable pending_ = HeaderVariable::None;
    GroupStep groupStep_;
};

/// Skips a UTF-8 byte-order mark; refuses a binary DXF before anything is written.
void checkStart(LineReader& lines, const std::string& name) {
    if (lines.peek(kBinaryDxfSentinel.size()) == kBinaryDxfSentinel)
        throw RunFailure(FailureKind::BinaryDxf, name, 0,
                         "this is a binary DXF; save the drawing as ASCII DXF and convert that");
    if (lines.peek(kUtf8Bom.size()) == kUtf8Bom) lines.skip(kUtf8Bom.size());
}

/// Scans the whole drawing from a fresh state and makes the output final.
RunReport convert(LineReader& lines, OutputSink& output, std::int16_t tolerance, WindowState& state,
                  const std::string& name) {
    state.resetForRun();
    state.heightTolerance = tolerance;
    RunReport report;
    TextDecoder decoder;
    const RunContext context{name, decoder, output, report};
    Scanner(lines, state, context).run();
    report.appendLine(std::string(report_text::kTotalCount) + std::to_string(state.totalCount));
    report.appendLine(report_text::kFinished);
    output.commit();
    return report;
}

} // namespace

std::int16_t readTolerance(std::string_view toleranceText, const std::string& name) {
    const std::string ascii = asciiForms(toleranceText);
    try {
        return numericValue16(ascii, name, 0);
    } catch (const RunFailure& failure) {
        throw RunFailure(failure.kind(), name, 0, "tolerance " + quoteText(toleranceText));
    }
}

RunReport ConvertDrawing(ByteSource& input, OutputSink& output, std::string_view toleranceText,
                         WindowState& state, const std::string& name) {
    const std::int16_t tolerance = readTolerance(toleranceText, name);
    // Sources in memory are mostly small; a smaller block is quicker to set up.
    LineReader lines(input, kMemoryBlock, name);
    checkStart(lines, name);
    return convert(lines, output, tolerance, state, name);
}

RunReport ConversionRun(const std::string& inputPath, const std::string& outputPath,
                        std::string_view toleranceText, WindowState& state) {
    FileSource input(inputPath);
    const std::int16_t tolerance = readTolerance(toleranceText, inputPath);
    LineReader lines(input, LineReader::kDefaultBlock, inputPath);
    checkStart(lines, inputPath);
    if (sameFile(inputPath, outputPath))
        throw RunFailure(FailureKind::OutputIsInput, outputPath, 0,
                         "the output would overwrite the drawing " + quoteText(inputPath));
    AtomicFile output(outputPath);
    return convert(lines, output, tolerance, state, inputPath);
}

} // namespace dxf2csv
