#pragma once
// What the steps of one run share besides the window's state.

#include "output_file.h"
#include "run_report.h"
#include "text_decoder.h"

#include <string>

namespace dxf2csv {

struct RunContext {
    const std::string& file; ///< the drawing, as named in failure messages
    TextDecoder& decoder;    ///< the drawing's character set, for the report
    OutputSink& output;
    RunReport& report;
};

/// True when `line` begins with `keyword` (exactly, case included).
inline bool startsWith(std::string_view line, std::string_view keyword) noexcept {
    return line.substr(0, keyword.size()) == keyword;
}

} // namespace dxf2csv
