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
        if (groupFlag && state.memberCount > 0) FlushGroup(state, context, scratch_);
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
    if (groupFlag && state.memberCount > 0) FlushGroup(state, context, scratch_);
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

namespace {

// Whole numbers up to 2^53 are exact as doubles and as 64-bit integers alike; integers make
// the passes' chain of dependent comparisons shorter.
constexpr double kExactLimit = 9007199254740992.0;

bool allExact(const std::vector<double>& values, std::size_t n) {
    for (std::size_t k = 1; k <= n; ++k)
        if (!(std::fabs(values[k]) <= kExactLimit)) return false;
    return true;
}

/// Pass 1: for i < j in order, slots i and j are exchanged when |Y(i) - Y(j)| > t and
/// Y(i) < Y(j); with Y(i) < Y(j) the first is Y(j) - Y(i) > t (t may be negative). Without
/// branches: which way a comparison goes is data, not a pattern.
template <class Number>
void topToBottom(std::vector<int>& row, std::vector<Number>& y, std::size_t n, Number t) {
    for (std::size_t i = 1; i < n; ++i) {
        Number yi = y[i];
        int ri = row[i];
        for (std::size_t j = i + 1; j <= n; ++j) {
            const Number yj = y[j];
            const int rj = row[j];
            const bool exchange = (yi < yj) & (yj - yi > t);
            y[j] = exchange ? yi : yj;
            row[j] = exchange ? ri : rj;
            yi = exchange ? yj : yi;
            ri = exchange ? rj : ri;
        }
        y[i] = yi;
        row[i] = ri;
    }
}

/// Pass 2: slots i and j are exchanged when X(i) > X(j) and |Y(i) - Y(j)| < t.
template <class Number>
void leftToRight(std::vector<int>& row, std::vector<Number>& x, std::vector<Number>& y, std::size_t n, Number t) {
    for (std::size_t i = 1; i < n; ++i) {
        Number xi = x[i];
        Number yi = y[i];
        int ri = row[i];
        for (std::size_t j = i + 1; j <= n; ++j) {
            const Number xj = x[j];
            const Number yj = y[j];
            const int rj = row[j];
            const Number dy = yi - yj;
            const bool exchange = (xi > xj) & (dy < t) & (dy > -t);
            x[j] = exchange ? xi : xj;
            y[j] = exchange ? yi : yj;
            row[j] = exchange ? ri : rj;
            xi = exchange ? xj : xi;
            yi = exchange ? yj : yi;
            ri = exchange ? rj : ri;
        }
        x[i] = xi;
        y[i] = yi;
        row[i] = ri;
    }
}

template <class Number>
std::vector<Number>& converted(const std::vector<double>& from, std::vector<Number>& to, std::size_t n) {
    to.resize(n + 1);
    for (std::size_t k = 1; k <= n; ++k) to[k] = static_cast<Number>(from[k]);
    return to;
}

} // namespace

void FlushGroup(WindowState& state, const RunContext& context, FlushScratch& scratch) {
    const int n = state.memberCount;
    const auto count = static_cast<std::size_t>(n);
    const double t = state.heightTolerance;
    const TextTable& table = state.textTable;
    const std::string& file = context.file;
    std::vector<int>& row = scratch.row;
    std::vector<double>& x = scratch.x;
    std::vector<double>& y = scratch.y;
    row.resize(count + 1);
    x.resize(count + 1);
    y.resize(count + 1);
    for (std::size_t k = 1; k <= count; ++k) row[k] = state.memberList[k];

    if (n >= 2) {
        // Each number is read once. The first outer step of a pass compares slot 1 with every
        // other slot in turn, so it reads the pass's numbers slot by slot before any later
        // step: reading them up front in that order fails on the same text, and before
        // anything of the group is written, exactly as reading them comparison by comparison.
        for (std::size_t k = 1; k <= count; ++k) y[k] = numericValue(table.row(row[k]).y, file);
        if (allExact(y, count)) {
            topToBottom(row, converted(y, scratch.wholeY, count), count, std::int64_t{state.heightTolerance});
            for (std::size_t k = 1; k <= count; ++k) y[k] = static_cast<double>(scratch.wholeY[k]);
        } else {
            topToBottom(row, y, count, t);
        }

        for (std::size_t k = 1; k <= count; ++k) x[k] = numericValue(table.row(row[k]).x, file);
        if (allExact(x, count) && allExact(y, count)) {
            auto& wx = converted(x, scratch.wholeX, count);
            auto& wy = converted(y, scratch.wholeY, count);
            leftToRight(row, wx, wy, count, std::int64_t{state.heightTolerance});
            for (std::size_t k = 1; k <= count; ++k) y[k] = static_cast<double>(wy[k]);
        } else {
            leftToRight(row, x, y, count, t);
        }
    }
    for (std::size_t k = 1; k <= count; ++k) state.memberList[k] = static_cast<std::int16_t>(row[k]);

    std::string& rowLine = state.rowLine;
    rowLine.clear();
    for (std::size_t k = 1; k <= count; ++k) {
        const TextRecord& record = table.row(row[k]);
        if (numericValue(record.vAlign, file) != kVAlignCentred) {
            context.report.appendLine(report_text::kNotCentred);
            context.report.appendLine(context.decoder.toUtf8(record.content.text()));
        }
        if (k == 1) {
            appendCsvField(rowLine, record.content.text());
        } else if (std::fabs(y[k] - y[k - 1]) < t) {
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
