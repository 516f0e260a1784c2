#include "run/tolerance.h"

#include "messages/run_failure.h"
#include "reading/number_reading.h"

namespace dxf2csv {

std::string asciiForms(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        if (b0 == 0xEF && i + 2 < text.size()) {
            // U+FF01..U+FF5E is EF BC 81..EF BD 9E, ASCII 0x21..0x7E.
            const auto b1 = static_cast<unsigned char>(text[i + 1]);
            const auto b2 = static_cast<unsigned char>(text[i + 2]);
            int code = -1;
            if (b1 == 0xBC && b2 >= 0x81 && b2 <= 0xBF) code = 0x21 + (b2 - 0x81);
            if (b1 == 0xBD && b2 >= 0x80 && b2 <= 0x9E) code = 0x60 + (b2 - 0x80);
            const bool wanted = (code >= '0' && code <= '9') || code == '+' || code == '-' ||
                                code == '.' || code == 'e' || code == 'E';
            if (wanted) {
                out += static_cast<char>(code);
                i += 2;
                continue;
            }
        }
        if (b0 == 0xE3 && i + 2 < text.size() && text[i + 1] == '\x80' && text[i + 2] == '\x80') {
            out += ' '; // U+3000 ideographic space
            i += 2;
            continue;
        }
        out += static_cast<char>(b0);
    }
    return out;
}

std::int16_t readTolerance(std::string_view toleranceText, const std::string& name) {
    const Floored16 read = readFloored16(asciiForms(toleranceText));
    if (read.status != NumberStatus::Ok) failNumber(read.status, name, 0, Detail::Tolerance, {quoteText(toleranceText)});
    return read.value;
}

} // namespace dxf2csv
