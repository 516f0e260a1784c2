#include "csv_writer.h"

namespace dxf2csv {

void appendCsvField(std::string& line, std::string_view field) {
    if (field.find_first_of(",\"") == std::string_view::npos) {
        line += field;
        return;
    }
    line += '"';
    for (const char c : field) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
}

} // namespace dxf2csv
