#include "pair_scanner.h"

#include "dxf_names.h"
#include "group_codes.h"
#include "run_context.h"
#include "run_failure.h"
#include "run_report.h"
#include "text_decoder.h"
#include "text_table.h"
#include "text_view.h"
#include "window_state.h"

namespace dxf2csv {

static_assert(names::kEndSection[0] == names::kEndOfFile[0], "one first letter sorts out both ends");

void PairScanner::run() {
    bool expectCode = true;
    std::int16_t code = 0;
    std::int64_t codeLineNumber = 0;
    lines_.forEachLine([&](std::string_view line, std::int64_t number) {
        if (expectCode) {
            const Whole16 read = readGroupCode(line);
            if (read.status != NumberStatus::Ok) failNumber(read.status, context_.file, number, Detail::OffendingText, {quoteText(line)});
            code = read.value;
            codeLineNumber = number;
            expectCode = false;
            return LineFlow::Next;
        }
        expectCode = true;
        return pair(code, line, number);
    });
    if (!expectCode)
        throw RunFailure(FailureKind::InputEndsInsidePair, context_.file, codeLineNumber, Detail::NoValueLine,
                         {std::to_string(code)});
    if (scan_ == ScanState::InObjects) groupStep_.finish(state_, context_);
}

LineFlow PairScanner::pair(std::int16_t code, std::string_view value, std::int64_t valueLine) {
    state_.groupCode = code;
    state_.currentLine = value;
    state_.currentLineNumber = valueLine;

    // Section keywords count only where DXF puts them: a section's name right after
    // (0, SECTION), and (0, ENDSEC). Most (0, ...) pairs start entities, so the first
    // letter sorts them out before any comparison.
    const bool wasAfterSection = afterSection_;
    afterSection_ = false;
    if (code == kCodeEntity && !value.empty()) {
        if (value[0] == names::kEndSection[0]) {
            if (startsWith(value, names::kEndSection)) {
                if (scan_ == ScanState::InObjects) groupStep_.finish(state_, context_);
                scan_ = ScanState::Outside;
                inHeader_ = false;
                return LineFlow::Next;
            }
            if (startsWith(value, names::kEndOfFile)) return LineFlow::Stop;
        } else if (value[0] == names::kSection[0]) {
            afterSection_ = startsWith(value, names::kSection);
        }
    } else if (code == kCodeName && wasAfterSection) {
        enterSection(value);
    }

    switch (scan_) {
    case ScanState::InEntities:
        if (capturesPair(code, textFlag_)) CaptureTextField(state_, textFlag_, context_);
        break;
    case ScanState::InObjects: groupStep_.step(state_, context_); break;
    case ScanState::Outside:
        if (inHeader_) pending_ = readHeader(code, value, pending_);
        break;
    }
    return quiet() ? LineFlow::PassOver : LineFlow::Next;
}

bool PairScanner::quiet() const {
    // Outside a TEXT, a GROUP, the header and a section's start, only (0, TEXT), (0, GROUP)
    // and the section markers matter, and an entity or object of another name leaves
    // everything as it was.
    if (afterSection_) return false;
    switch (scan_) {
    case ScanState::InEntities: return !textFlag_;
    case ScanState::InObjects: return !groupStep_.groupFlag;
    case ScanState::Outside: return !inHeader_;
    }
    return false;
}

void PairScanner::enterSection(std::string_view name) {
    inHeader_ = startsWith(name, names::kHeader);
    if (startsWith(name, names::kEntities)) {
        scan_ = ScanState::InEntities;
        state_.textCount = 0;
    } else if (startsWith(name, names::kObjects)) {
        state_.recognizedCount = state_.textCount;
        context_.report.appendLine(std::string(report_text::kRecognized) + std::to_string(state_.recognizedCount) +
                                   std::string(report_text::kRecognizedLimit));
        scan_ = ScanState::InObjects;
        groupStep_.tableChanged();
    }
}

PairScanner::HeaderVariable PairScanner::readHeader(int code, std::string_view value, HeaderVariable pending) {
    if (code == kCodeVariable) {
        if (value == names::kAcadVersion) return HeaderVariable::Version;
        if (value == names::kCodePage) return HeaderVariable::CodePage;
        return HeaderVariable::None;
    }
    if (pending == HeaderVariable::Version && code == kCodeContent) context_.decoder.setVersion(value);
    if (pending == HeaderVariable::CodePage && code == kCodeCodePage) context_.decoder.setCodePage(value);
    return HeaderVariable::None;
}

} // namespace dxf2csv
