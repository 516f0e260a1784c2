#pragma once
// Small tests and cuts on a view of a drawing's line.

#include <string>
#include <string_view>

namespace dxf2csv {

/// `text` without the blanks (spaces and tabs: real drawings hold both) around it.
constexpr std::string_view trimBlanks(std::string_view text) noexcept {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

/// True when `line` begins with `keyword`, exactly, case included; a shorter line never does.
constexpr bool startsWith(std::string_view line, std::string_view keyword) noexcept {
    return line.substr(0, keyword.size()) == keyword;
}

/// `text` with its ASCII capitals made small: names given on a command line ("UTF-8",
/// "Ruled") are matched in either case.
inline std::string asciiLowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

} // namespace dxf2csv
