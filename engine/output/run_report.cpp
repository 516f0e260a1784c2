#include "output/run_report.h"

namespace dxf2csv {

void RunReport::appendLine(std::string_view line) {
    text_ += line;
    text_ += "\r\n";
}

std::vector<std::string> RunReport::lines() const {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start < text_.size()) {
        const std::size_t end = text_.find("\r\n", start);
        if (end == std::string::npos) {
            result.emplace_back(text_.substr(start));
            break;
        }
        result.emplace_back(text_.substr(start, end - start));
        start = end + 2;
    }
    return result;
}

} // namespace dxf2csv
