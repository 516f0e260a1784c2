#include "grouped/group_step.h"

#include "grouped/grouped_tables.h"
#include "messages/run_failure.h"
#include "output/table_output.h"
#include "output/run_context.h"
#include "output/run_report.h"
#include "reading/dxf_names.h"
#include "reading/group_codes.h"
#include "reading/text_view.h"
#include "text/text_decoder.h"

#include <cmath>

namespace dxf2csv {
namespace {

/// The comparison value of a cell. Throws RunFailure naming the line the cell came from.
double compared(const FieldValue& cell, const std::string& file) {
    const FlooredNumber value = comparisonValue(cell);
    if (value.status != NumberStatus::Ok) failNumber(value.status, file, cell.line(), Detail::OffendingText, {quoteText(cell.text())});
    return value.value;
}

} // namespace

void GroupStep::step(GroupedTables& tables, const Pair& pair, const RunContext& context) {
    if (pair.code == kCodeEntity) {
        if (collecting_ && tables.memberCount > 0) flushGroup(tables, rowTolerance_, pair.line, context, scratch_);
        collecting_ = startsWith(pair.value, names::kGroup);
        if (collecting_) tables.memberCount = 0;
        return;
    }
    if (!collecting_ || pair.code != kCodeMember) return;

    const int limit = tables.recognizedCount;
    if (tables.limitedTexts && limit > kTableRows)
        throw RunFailure(FailureKind::RowOutOfRange, context.file, pair.line, Detail::DrawingHasTexts,
                         {std::to_string(limit)});
    index_.prepare(tables.texts, limit);
    for (int row = index_.first(pair.value); row != 0; row = index_.next(row)) {
        if (tables.memberCount >= kTableRows)
            throw RunFailure(FailureKind::RowOutOfRange, context.file, pair.line, Detail::MemberDoesNotFit,
                             {std::to_string(tables.memberCount + 1), quoteText(context.decoder.toUtf8(pair.value))});
        ++tables.memberCount;
        tables.members[static_cast<std::size_t>(tables.memberCount)] = row;
    }
}

void GroupStep::finish(GroupedTables& tables, std::int64_t line, const RunContext& context) {
    if (collecting_ && tables.memberCount > 0) flushGroup(tables, rowTolerance_, line, context, scratch_);
    collecting_ = false;
}

void flushGroup(GroupedTables& tables, std::int16_t rowTolerance, std::int64_t line, const RunContext& context,
                FlushScratch& scratch) {
    const auto n = static_cast<std::size_t>(tables.memberCount);
    const double t = rowTolerance;
    const TextTable& table = tables.texts;
    const std::string& file = context.file;
    // Slot k (from 1) of the member list holds the row of member k - 1.
    auto row = [&](std::size_t member) -> const TextRecord& { return table.row(tables.members[member + 1]); };

    RowOrdering& ordering = scratch.ordering;
    std::vector<double>& numbers = scratch.numbers;
    if (n >= 2) {
        // Each number is read once. The first outer step of a pass compares slot 1 with every
        // other slot in turn, so it reads the pass's numbers slot by slot before any later
        // step: reading them up front in that order fails on the same text, and before
        // anything of the group is written, exactly as reading them comparison by comparison.
        numbers.resize(n);
        for (std::size_t m = 0; m < n; ++m) numbers[m] = compared(row(m).rowY(), file);
        ordering.topToBottom(numbers, t);
        for (std::size_t k = 0; k < n; ++k) numbers[k] = compared(row(static_cast<std::size_t>(ordering.order()[k])).x, file);
        ordering.leftToRight(numbers, t);
        std::vector<int>& ordered = scratch.ordered;
        ordered.resize(n);
        for (std::size_t k = 0; k < n; ++k) ordered[k] = tables.members[static_cast<std::size_t>(ordering.order()[k]) + 1];
        for (std::size_t k = 0; k < n; ++k) tables.members[k + 1] = ordered[k];
    }

    TableOutput& out = context.tables;
    out.beginTable();
    for (std::size_t k = 1; k <= n; ++k) {
        const TextRecord& record = table.row(tables.members[k]);
        if (compared(record.vAlign, file) != kVAlignCentred) {
            context.report.appendLine(report_text::kNotCentred);
            context.report.appendLine(context.decoder.decode(record.content.text()));
        }
        // A new line unless within the tolerance of the member before (n >= 2 here).
        if (k > 1 && !(std::fabs(ordering.y(k - 1) - ordering.y(k - 2)) < t)) out.endRow();
        out.cell(record.content);
    }
    out.endRow();

    context.report.appendLine(std::string(report_text::kGroupCount) + std::to_string(n));
    tables.totalCount = checkedAdd(tables.totalCount, static_cast<int>(n), INT16_MAX, file, line, Detail::TotalReaches);
    ++tables.groupsWritten;
}

} // namespace dxf2csv
