#include "run_failure.h"

#include <cstdio>

namespace dxf2csv {
namespace {

std::string describe(FailureKind kind, const std::string& file, std::int64_t line,
                     const std::string& detail) {
    std::string text = file;
    if (line > 0) {
        text += ':';
        text += std::to_string(line);
    }
    text += ": ";
    text += kindName(kind);
    if (!detail.empty()) {
        text += ": ";
        text += detail;
    }
    return text;
}

} // namespace

std::string_view kindName(FailureKind kind) {
    switch (kind) {
    case FailureKind::InputCannotBeOpened: return "cannot open input";
    case FailureKind::InputCannotBeRead: return "cannot read input";
    case FailureKind::OutputCannotBeWritten: return "cannot write output";
    case FailureKind::NotANumber: return "not a number";
    case FailureKind::NumberOutOfRange: return "number out of range";
    case FailureKind::InputEndsInsidePair: return "input ends inside a pair";
    case FailureKind::RowOutOfRange: return "row outside 1..5000";
    case FailureKind::BinaryDxf: return "binary DXF";
    case FailureKind::OutputIsInput: return "output is the input";
    case FailureKind::LineTooLong: return "line too long";
    }
    return "failure";
}

RunFailure::RunFailure(FailureKind kind, std::string file, std::int64_t line, std::string detail)
    : std::runtime_error(describe(kind, file, line, detail)),
      kind_(kind),
      file_(std::move(file)),
      line_(line),
      detail_(std::move(detail)) {}

void failNumber(NumberStatus status, std::string file, std::int64_t line, std::string detail) {
    const FailureKind kind =
        status == NumberStatus::OutOfRange ? FailureKind::NumberOutOfRange : FailureKind::NotANumber;
    throw RunFailure(kind, std::move(file), line, std::move(detail));
}

std::string quoteText(std::string_view text) {
    constexpr std::size_t kMaxShown = 60;
    std::string out = "\"";
    std::size_t shown = text.size() > kMaxShown ? kMaxShown : text.size();
    // Cut before a UTF-8 continuation byte, never inside a character.
    while (shown < text.size() && shown > 0 && (static_cast<unsigned char>(text[shown]) & 0xC0) == 0x80)
        --shown;
    for (std::size_t i = 0; i < shown; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(c);
        }
    }
    if (shown < text.size()) out += "...";
    out += '"';
    return out;
}

} // namespace dxf2csv
