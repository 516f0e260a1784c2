#include "messages/bilingual_text.h"

namespace dxf2csv {

std::string fillIn(std::string_view pattern, const std::vector<std::string>& args) {
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' && pattern[i + 1] >= '1' &&
            pattern[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (n < args.size()) text += args[n];
            i += 2;
            continue;
        }
        text += pattern[i];
    }
    return text;
}

} // namespace dxf2csv
