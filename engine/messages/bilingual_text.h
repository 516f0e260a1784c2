#pragma once
// A text shown to a person, in English and in Japanese, and how its arguments are put in.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dxf2csv {

enum class Language : std::uint8_t { English, Japanese };

struct BilingualText {
    std::string_view english;
    std::string_view japanese;

    constexpr std::string_view in(Language language) const noexcept {
        return language == Language::Japanese ? japanese : english;
    }
};

/// `pattern` with "{1}", "{2}", ... replaced by the arguments in turn (a missing argument by
/// nothing). No text of the tables holds another brace.
std::string fillIn(std::string_view pattern, const std::vector<std::string>& args);

} // namespace dxf2csv
