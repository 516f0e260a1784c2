#include "window_state.h"

#include "run_failure.h"

#include <charconv>
#include <cmath>

namespace dxf2csv {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

} // namespace

std::optional<double> parseDecimal(std::string_view text) noexcept {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars would also take "inf", "nan" and a second sign; only digits or a point
    // may follow the sign.
    if (text.empty() || !(isDigit(text.front()) || text.front() == '.')) return std::nullopt;
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (ptr != end) return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // A well-formed number beyond a double: too small is 0, too large is infinite,
        // which the callers report as out of range.
        const auto e = text.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < text.size() && text[e + 1] == '-';
        value = tiny ? 0.0 : HUGE_VAL;
    } else if (ec != std::errc()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<double> wholeNumber(std::string_view text) noexcept {
    const auto value = parseDecimal(text);
    if (!value) return std::nullopt;
    return std::floor(*value);
}

double numericValue(const FieldValue& cell, const std::string& file) {
    switch (cell.kind()) {
    case FieldValue::Kind::Absent: return 0;
    case FieldValue::Kind::Number: return cell.number();
    case FieldValue::Kind::Text: break;
    }
    const auto value = wholeNumber(cell.text());
    if (!value) throw RunFailure(FailureKind::NotANumber, file, cell.line(), quoteText(cell.text()));
    if (!std::isfinite(*value))
        throw RunFailure(FailureKind::NumberOutOfRange, file, cell.line(), quoteText(cell.text()));
    return *value;
}

std::int16_t numericValue16(std::string_view text, const std::string& file, std::int64_t line) {
    // Most group codes are a few plain digits, perhaps right-aligned ("  0").
    const std::string_view trimmed = trimBlanks(text);
    int fast = 0;
    const char* end = trimmed.data() + trimmed.size();
    const auto [ptr, ec] = std::from_chars(trimmed.data(), end, fast);
    if (ec == std::errc() && ptr == end && !trimmed.empty()) {
        if (fast < INT16_MIN || fast > INT16_MAX)
            throw RunFailure(FailureKind::NumberOutOfRange, file, line, quoteText(text));
        return static_cast<std::int16_t>(fast);
    }
    const auto value = wholeNumber(text);
    if (!value) throw RunFailure(FailureKind::NotANumber, file, line, quoteText(text));
    if (*value < INT16_MIN || *value > INT16_MAX)
        throw RunFailure(FailureKind::NumberOutOfRange, file, line, quoteText(text));
    return static_cast<std::int16_t>(*value);
}

std::int16_t checkedAdd16(std::int16_t value, int add, const std::string& file, std::int64_t line,
                          std::string_view what) {
    const int sum = value + add;
    if (sum < INT16_MIN || sum > INT16_MAX)
        throw RunFailure(FailureKind::NumberOutOfRange, file, line,
                         std::string(what) + " reaches " + std::to_string(sum));
    return static_cast<std::int16_t>(sum);
}

void TextTable::clear() {
    for (int i = 1; i <= highest_; ++i) {
        TextRecord& record = row(i);
        record.handle.clear();
        record.content.clear();
        record.x.clear();
        record.y.clear();
        record.vAlign.clear();
    }
    highest_ = 0;
}

void WindowState::resetForRun() {
    textTable.clear();
    memberList.fill(0);
    rowLine.clear();
    groupCode = 0;
    currentLine = {};
    currentLineNumber = 0;
    textCount = 0;
    recognizedCount = 0;
    memberCount = 0;
    totalCount = 0;
    heightTolerance = 0;
}

} // namespace dxf2csv
