#pragma once
// What the steps of one run share besides the window's state.

#include <string>

namespace dxf2csv {

class OutputSink;
class RunReport;
class TextDecoder;

struct RunContext {
    const std::string& file; ///< the drawing, as named in failure messages
    TextDecoder& decoder;    ///< the drawing's character set, for the report
    OutputSink& output;
    RunReport& report;
};

} // namespace dxf2csv
