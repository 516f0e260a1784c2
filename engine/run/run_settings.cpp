#include "run/run_settings.h"

namespace dxf2csv {

std::optional<TableSource> tableSourceNamed(std::string_view name) {
    std::string lower(name);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (lower == "auto") return TableSource::Auto;
    if (lower == "grouped") return TableSource::Grouped;
    if (lower == "ruled") return TableSource::Ruled;
    return std::nullopt;
}

} // namespace dxf2csv
