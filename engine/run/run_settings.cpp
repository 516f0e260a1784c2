#include "run/run_settings.h"

#include "reading/text_view.h"

namespace dxf2csv {

std::optional<OutputFormat> outputFormatNamed(std::string_view name) {
    const std::string lower = asciiLowerCase(name);
    if (lower == "csv") return OutputFormat::Csv;
    if (lower == "xlsx") return OutputFormat::Xlsx;
    return std::nullopt;
}

std::optional<TableSource> tableSourceNamed(std::string_view name) {
    const std::string lower = asciiLowerCase(name);
    if (lower == "auto") return TableSource::Auto;
    if (lower == "grouped") return TableSource::Grouped;
    if (lower == "ruled") return TableSource::Ruled;
    return std::nullopt;
}

} // namespace dxf2csv
