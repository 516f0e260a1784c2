#include "run/pair_scanner.h"

#include "messages/run_failure.h"
#include "output/run_context.h"
#include "output/run_report.h"
#include "reading/dxf_names.h"
#include "reading/group_codes.h"
#include "reading/text_view.h"
#include "text/text_decoder.h"

namespace dxf2csv {

static_assert(names::kEndSection[0] == names::kEndOfFile[0], "one first letter sorts out both ends");

PairScanner::PairScanner(LineReader& lines, const ScanPlan& plan, std::int16_t rowTolerance, const RunContext& context)
    : lines_(lines), context_(context), plan_(plan), grouped_(plan.limitedTexts), groupStep_(rowTolerance) {
    if (plan.rules) sheets_.emplace(context.decoder, context.file);
}

ruled::Sheets PairScanner::takeSheets() {
    if (rulesFailure_) throw *rulesFailure_;
    return sheets_ ? sheets_->finish() : ruled::Sheets{};
}

void PairScanner::toSheets(ruled::SheetSection section, const Pair& pair) {
    if (!plan_.groups) {
        sheets_->pair(section, pair.code, pair.value, pair.line);
        return;
    }
    // Reading for both kinds of table at once, a drawing's geometry may fail only when its
    // tables are to be the ruled ones: a drawing with grouped tables gives them, whatever its
    // blocks hold, as it does when read for its groups alone.
    if (rulesFailure_) return;
    try {
        sheets_->pair(section, pair.code, pair.value, pair.line);
    } catch (const RunFailure& failure) {
        rulesFailure_ = failure;
    }
}

void PairScanner::run() {
    bool expectCode = true;
    std::int16_t code = 0;
    std::int64_t codeLineNumber = 0;
    // Inlined into the line loop: it runs for every line of the drawing.
    lines_.forEachLine([&](std::string_view line, std::int64_t number) __attribute__((always_inline)) {
        if (expectCode) {
            const Floored16 read = readGroupCode(line);
            if (read.status != NumberStatus::Ok) failNumber(read.status, context_.file, number, Detail::OffendingText, {quoteText(line)});
            code = read.value;
            codeLineNumber = number;
            expectCode = false;
            return LineFlow::Next;
        }
        expectCode = true;
        // Within the geometry's sections of a scan for ruled tables alone, only an entity's
        // start and a section's name can change the scan: every other pair goes straight to
        // the sheet reader.
        if (direct_ && code != kCodeEntity && !afterSection_) {
            lastLine_ = number;
            sheets_->pair(directSection_, code, line, number);
            return LineFlow::Next;
        }
        return pair({code, line, number});
    });
    if (!expectCode)
        throw RunFailure(FailureKind::InputEndsInsidePair, context_.file, codeLineNumber, Detail::NoValueLine,
                         {std::to_string(code)});
    // A drawing copied while it was still being written ends inside a section: what is missing
    // may be its tables. One that ends after its last ENDSEC without the final EOF is whole
    // (some writers leave EOF out).
    if (!endOfFile_ && !openSection_.empty())
        throw RunFailure(FailureKind::DrawingCutOff, context_.file, lines_.linesRead(), Detail::NoEndOfSection,
                         {quoteText(context_.decoder.toUtf8(openSection_))});
    if (section_ == Section::Objects && plan_.groups) groupStep_.finish(grouped_, lastLine_, context_);
}

LineFlow PairScanner::pair(const Pair& pair) {
    lastLine_ = pair.line;
    const std::string_view value = pair.value;

    // Section keywords count only where DXF puts them: a section's name right after
    // (0, SECTION), and (0, ENDSEC). Most (0, ...) pairs start entities, so the first
    // letter sorts them out before any comparison.
    const bool wasAfterSection = afterSection_;
    afterSection_ = false;
    if (pair.code == kCodeEntity && !value.empty()) {
        if (value[0] == names::kEndSection[0]) {
            if (startsWith(value, names::kEndSection)) {
                if (section_ == Section::Objects && plan_.groups) groupStep_.finish(grouped_, pair.line, context_);
                // The sheet reader ends what is pending at the end of its sections.
                if (sheets_ && (section_ == Section::Entities || inBlocks_))
                    toSheets(inBlocks_ ? ruled::SheetSection::Blocks : ruled::SheetSection::Entities, pair);
                section_ = Section::Other;
                inHeader_ = false;
                inBlocks_ = false;
                openSection_.clear();
                sectionChanged();
                return LineFlow::Next;
            }
            if (startsWith(value, names::kEndOfFile)) {
                endOfFile_ = true;
                return LineFlow::Stop;
            }
        } else if (value[0] == names::kSection[0]) {
            afterSection_ = startsWith(value, names::kSection);
        }
    } else if (pair.code == kCodeName && wasAfterSection) {
        enterSection(value);
        sectionChanged();
        // The section's name is no pair of the section's own.
        if (sheets_) return quiet() ? LineFlow::PassOver : LineFlow::Next;
    }

    switch (section_) {
    case Section::Entities:
        if (plan_.groups && textCapture_.wants(pair.code)) textCapture_.step(grouped_, pair, context_);
        if (sheets_) toSheets(ruled::SheetSection::Entities, pair);
        break;
    case Section::Objects:
        if (plan_.groups) groupStep_.step(grouped_, pair, context_);
        break;
    case Section::Other:
        if (inHeader_) pending_ = readHeader(pair, pending_);
        if (inBlocks_ && sheets_) toSheets(ruled::SheetSection::Blocks, pair);
        break;
    }
    return quiet() ? LineFlow::PassOver : LineFlow::Next;
}

void PairScanner::sectionChanged() {
    direct_ = sheets_ && !plan_.groups && (section_ == Section::Entities || inBlocks_);
    directSection_ = inBlocks_ ? ruled::SheetSection::Blocks : ruled::SheetSection::Entities;
}

bool PairScanner::quiet() const {
    // Outside a TEXT, a GROUP, the header and a section's start, only (0, TEXT), (0, GROUP)
    // and the section markers matter, and an entity or object of another name leaves
    // everything as it was.
    if (afterSection_) return false;
    if (sheets_ && (section_ == Section::Entities || inBlocks_)) return false;
    switch (section_) {
    case Section::Entities: return !textCapture_.capturing();
    case Section::Objects: return !groupStep_.collecting();
    case Section::Other: return !inHeader_;
    }
    return false;
}

void PairScanner::enterSection(std::string_view name) {
    openSection_.assign(trimBlanks(name));
    inHeader_ = startsWith(name, names::kHeader);
    inBlocks_ = startsWith(name, names::kBlocks);
    if (startsWith(name, names::kEntities)) {
        section_ = Section::Entities;
        grouped_.textCount = 0;
    } else if (startsWith(name, names::kObjects)) {
        grouped_.recognizedCount = grouped_.textCount;
        if (plan_.groups)
            context_.report.appendLine(std::string(report_text::kRecognized) + std::to_string(grouped_.recognizedCount) +
                                       std::string(report_text::kRecognizedLimit));
        section_ = Section::Objects;
        groupStep_.tableChanged();
    }
}

PairScanner::HeaderVariable PairScanner::readHeader(const Pair& pair, HeaderVariable pending) {
    if (pair.code == kCodeVariable) {
        if (pair.value == names::kAcadVersion) return HeaderVariable::Version;
        if (pair.value == names::kCodePage) return HeaderVariable::CodePage;
        return HeaderVariable::None;
    }
    if (pending == HeaderVariable::Version && pair.code == kCodeContent) context_.decoder.setVersion(pair.value);
    if (pending == HeaderVariable::CodePage && pair.code == kCodeCodePage) context_.decoder.setCodePage(pair.value);
    return HeaderVariable::None;
}

} // namespace dxf2csv
