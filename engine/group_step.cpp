#include "group_step.h"

#include "csv_writer.h"
#include "dxf_names.h"
#include "group_codes.h"
#include "run_context.h"
#include "run_failure.h"
#include "run_report.h"
#include "text_decoder.h"
#include "text_view.h"
#include "window_state.h"

#include <cmath>

namespace dxf2csv {
namespace {

/// The comparison value of a cell. Throws RunFailure naming the line the cell came from.
double compared(const FieldValue& cell, const std::string& file) {
    const WholeNumber value = numericValue(cell);
    if (value.status != NumberStatus::Ok) failNumber(value.status, file, cell.line(), Detail::OffendingText, {quoteText(cell.text())});
    return value.value;
}

} // namespace

void GroupStep::step(WindowState& state, const RunContext& context) {
    if (state.groupCode == kCodeEntity) {
        if (groupFlag && state.memberCount > 0) FlushGroup(state, context, scratch_);
        groupFlag = startsWith(state.currentLine, names::kGroup);
        if (groupFlag) state.memberCount = 0;
        return;
    }
    if (!groupFlag || state.groupCode != kCodeMember) return;

    const int limit = state.recognizedCount;
    if (limit > kTableRows)
        throw RunFailure(FailureKind::RowOutOfRange, context.file, state.currentLineNumber, Detail::DrawingHasTexts,
                         {std::to_string(limit)});
    index_.prepare(state.textTable, limit);
    for (int row = index_.first(state.currentLine); row != 0; row = index_.next(row)) {
        if (state.memberCount >= kTableRows)
            throw RunFailure(FailureKind::RowOutOfRange, context.file, state.currentLineNumber, Detail::MemberDoesNotFit,
                             {std::to_string(state.memberCount + 1), quoteText(context.decoder.toUtf8(state.currentLine))});
        ++state.memberCount;
        state.memberList[static_cast<std::size_t>(state.memberCount)] = static_cast<std::int16_t>(row);
    }
}

void GroupStep::finish(WindowState& state, const RunContext& context) {
    if (groupFlag && state.memberCount > 0) FlushGroup(state, context, scratch_);
    groupFlag = false;
}

void FlushGroup(WindowState& state, const RunContext& context, FlushScratch& scratch) {
    const auto n = static_cast<std::size_t>(state.memberCount);
    const double t = state.heightTolerance;
    const TextTable& table = state.textTable;
    const std::string& file = context.file;
    // Slot k (from 1) of the member list holds the row of member k - 1.
    auto row = [&](std::size_t member) -> const TextRecord& { return table.row(state.memberList[member + 1]); };

    RowOrdering& ordering = scratch.ordering;
    std::vector<double>& numbers = scratch.numbers;
    if (n >= 2) {
        // Each number is read once. The first outer step of a pass compares slot 1 with every
        // other slot in turn, so it reads the pass's numbers slot by slot before any later
        // step: reading them up front in that order fails on the same text, and before
        // anything of the group is written, exactly as reading them comparison by comparison.
        numbers.resize(n);
        for (std::size_t m = 0; m < n; ++m) numbers[m] = compared(row(m).height(), file);
        ordering.topToBottom(numbers, t);
        for (std::size_t k = 0; k < n; ++k) numbers[k] = compared(row(static_cast<std::size_t>(ordering.order()[k])).x, file);
        ordering.leftToRight(numbers, t);
        std::int16_t ordered[kTableRows];
        for (std::size_t k = 0; k < n; ++k) ordered[k] = state.memberList[static_cast<std::size_t>(ordering.order()[k]) + 1];
        for (std::size_t k = 0; k < n; ++k) state.memberList[k + 1] = ordered[k];
    }

    CsvLineWriter csv(state.rowLine, context.output);
    for (std::size_t k = 1; k <= n; ++k) {
        const TextRecord& record = table.row(state.memberList[k]);
        if (compared(record.vAlign, file) != kVAlignCentred) {
            context.report.appendLine(report_text::kNotCentred);
            context.report.appendLine(context.decoder.decode(record.content.text()));
        }
        // A new line unless within the tolerance of the member before (n >= 2 here).
        if (k > 1 && !(std::fabs(ordering.height(k - 1) - ordering.height(k - 2)) < t)) csv.endLine();
        csv.field(context.cells.encode(record.content));
    }
    csv.endLine();

    context.report.appendLine(std::string(report_text::kGroupCount) + std::to_string(n));
    state.totalCount = checkedAdd16(state.totalCount, static_cast<int>(n), file, state.currentLineNumber, Detail::TotalReaches);
}

} // namespace dxf2csv
