#include "run/run_settings.h"

namespace dxf2csv {

namespace {

std::string lowerCase(std::string_view name) {
    std::string lower(name);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

} // namespace

std::optional<OutputFormat> outputFormatNamed(std::string_view name) {
    const std::string lower = lowerCase(name);
    if (lower == "csv") return OutputFormat::Csv;
    if (lower == "xlsx") return OutputFormat::Xlsx;
    return std::nullopt;
}

std::optional<TableSource> tableSourceNamed(std::string_view name) {
    const std::string lower = lowerCase(name);
    if (lower == "auto") return TableSource::Auto;
    if (lower == "grouped") return TableSource::Grouped;
    if (lower == "ruled") return TableSource::Ruled;
    return std::nullopt;
}

} // namespace dxf2csv
