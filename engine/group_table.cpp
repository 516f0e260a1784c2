#include "group_table.h"

#include "group_codes.h"
#include "run_failure.h"

#include <cmath>

namespace dxf2csv {

void HandleIndex::prepare(const TextTable& table, int limit) {
    if (builtFor_ == limit) return;
    first_.clear();
    next_.assign(static_cast<std::size_t>(limit > 0 ? limit : 0) + 1, 0);
    // Backwards, so that each handle's chain runs in row order.
    for (int row = limit; row >= 1; --row) {
        int& head = first_[table.row(row).handle.text()];
        next_[static_cast<std::size_t>(row)] = head;
        head = row;
    }
    builtFor_ = limit;
}

int HandleIndex::first(std::string_view handle) const {
    const auto found = first_.find(handle);
    return found == first_.end() ? 0 : found->second;
}

void GroupStep::step(WindowState& state, const RunContext& context) {
    if (state.groupCode == kCodeEntity) {
        if (groupFlag && state.memberCount > 0) FlushGroup(state, context, slots_);
        groupFlag = startsWith(state.currentLine, "GROUP");
        if (groupFlag) state.memberCount = 0;
        return;
    }
    if (!groupFlag || state.groupCode != kCodeMember) return;

    const int limit = state.recognizedCount;
    if (limit > kTableRows)
        throw RunFailure(FailureKind::RowOutOfRange, context.file, state.currentLineNumber,
                         "the drawing has " + std::to_string(limit) + " TEXT entities");
    index_.prepare(state.textTable, limit);
    for (int row = index_.first(state.currentLine); row != 0; row = index_.next(row)) {
        if (state.memberCount >= kTableRows)
            throw RunFailure(FailureKind::RowOutOfRange, context.file, state.currentLineNumber,
                             "GROUP member " + std::to_string(state.memberCount + 1) + " for handle " +
                                 quoteText(context.decoder.toUtf8(state.currentLine)));
        ++state.memberCount;
        state.memberList[static_cast<std::size_t>(state.memberCount)] = static_cast<std::int16_t>(row);
    }
}

void GroupStep::finish(WindowState& state, const RunContext& context) {
    if (groupFlag && state.memberCount > 0) FlushGroup(state, context, slots_);
    groupFlag = false;
}

void appendCsvField(std::string& line, std::string_view field) {
    if (field.find_first_of(",\"") == std::string_view::npos) {
        line += field;
        return;
    }
    line += '"';
    for (const char c : field) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
}

void FlushGroup(WindowState& state, const RunContext& context, std::vector<MemberSlot>& slots) {
    const int n = state.memberCount;
    const double t = state.heightTolerance;
    const TextTable& table = state.textTable;
    const std::string& file = context.file;

    slots.assign(static_cast<std::size_t>(n) + 1, MemberSlot{});
    for (int k = 1; k <= n; ++k) slots[static_cast<std::size_t>(k)].row = state.memberList[static_cast<std::size_t>(k)];

    // Each number is parsed when a comparison first needs it, so a text that is no number
    // fails exactly where the comparison sequence first reads it.
    auto Y = [&](MemberSlot& slot) {
        if (!slot.hasY) {
            slot.y = numericValue(table.row(slot.row).y, file);
            slot.hasY = true;
        }
        return slot.y;
    };
    auto X = [&](MemberSlot& slot) {
        if (!slot.hasX) {
            slot.x = numericValue(table.row(slot.row).x, file);
            slot.hasX = true;
        }
        return slot.x;
    };
    MemberSlot* s = slots.data();

    // Pass 1: higher on the sheet (larger Y) first, for rows further apart than t.
    for (int i = 1; i <= n - 1; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (std::fabs(Y(s[i]) - Y(s[j])) > t && Y(s[i]) < Y(s[j])) std::swap(s[i], s[j]);
    // Pass 2: left to right among texts closer than t in Y.
    for (int i = 1; i <= n - 1; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (X(s[i]) > X(s[j]) && std::fabs(Y(s[i]) - Y(s[j])) < t) std::swap(s[i], s[j]);
    for (int k = 1; k <= n; ++k) state.memberList[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(s[k].row);

    std::string& rowLine = state.rowLine;
    rowLine.clear();
    for (int k = 1; k <= n; ++k) {
        const TextRecord& record = table.row(s[k].row);
        if (numericValue(record.vAlign, file) != kVAlignCentred) {
            context.report.appendLine(report_text::kNotCentred);
            context.report.appendLine(context.decoder.toUtf8(record.content.text()));
        }
        if (k == 1) {
            appendCsvField(rowLine, record.content.text());
        } else if (std::fabs(Y(s[k]) - Y(s[k - 1])) < t) {
            rowLine += ',';
            appendCsvField(rowLine, record.content.text());
        } else {
            rowLine += "\r\n";
            context.output.write(rowLine);
            rowLine.clear();
            appendCsvField(rowLine, record.content.text());
        }
    }
    rowLine += "\r\n";
    context.output.write(rowLine);
    rowLine.clear();

    context.report.appendLine(std::string(report_text::kGroupCount) + std::to_string(n));
    state.totalCount = checkedAdd16(state.totalCount, n, file, state.currentLineNumber, "total count");
}

} // namespace dxf2csv
