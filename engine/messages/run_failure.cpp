#include "messages/run_failure.h"

#include "platform/utf8.h"

#include <cstdio>

namespace dxf2csv {

namespace {

/// Appends `text` with each control byte, and each byte that begins no UTF-8 character (a
/// picture's first byte, a Shift-JIS byte), written \xNN, so that every message stays UTF-8;
/// within quotes ('quoted') '"' and '\' get a backslash before them too.
void appendEscaped(std::string& out, std::string_view text, bool quoted) {
    auto escape = [&](unsigned char c) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
        out += escaped;
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7f) {
            escape(c);
        } else if (quoted && (c == '"' || c == '\\')) {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x80) {
            const std::size_t length = utf8Length(c);
            if (i + length <= text.size() && isValidUtf8(text.substr(i, length))) {
                out.append(text.substr(i, length));
                i += length;
                continue;
            }
            escape(c);
        } else {
            out += static_cast<char>(c);
        }
        ++i;
    }
}

std::string description(FailureKind kind, const std::string& file, std::int64_t line, const std::string& detail,
                        Language language) {
    std::string text;
    appendEscaped(text, file, false);
    if (line > 0) {
        text += ':';
        text += std::to_string(line);
    }
    text += ": ";
    text += kindName(kind, language);
    if (!detail.empty()) {
        text += ": ";
        text += detail;
    }
    return text;
}

} // namespace

RunFailure::RunFailure(FailureKind kind, std::string file, std::int64_t line, Detail detail,
                       std::vector<std::string> args)
    : std::runtime_error(description(kind, file, line, detailText(detail, args, Language::English), Language::English)),
      kind_(kind),
      file_(std::move(file)),
      line_(line),
      detail_(detail),
      args_(std::move(args)) {}

std::string RunFailure::detail(Language language) const { return detailText(detail_, args_, language); }

std::string RunFailure::describe(Language language) const {
    return description(kind_, file_, line_, detail(language), language);
}

std::string quoteText(std::string_view text) {
    constexpr std::size_t kMaxShown = 60;
    std::string out = "\"";
    std::size_t shown = text.size() > kMaxShown ? kMaxShown : text.size();
    // Cut before a UTF-8 continuation byte, never inside a character.
    while (shown < text.size() && shown > 0 && (static_cast<unsigned char>(text[shown]) & 0xC0) == 0x80)
        --shown;
    appendEscaped(out, text.substr(0, shown), true);
    if (shown < text.size()) out += "...";
    out += '"';
    return out;
}

} // namespace dxf2csv
