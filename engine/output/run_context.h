#pragma once
// What the steps of one run share: the drawing's name, its character set, the output and the report.

#include <string>

namespace dxf2csv {

class CellEncoder;
class OutputSink;
class RunReport;
class TextDecoder;

struct RunContext {
    const std::string& file; ///< the drawing, as named in failure messages
    TextDecoder& decoder;    ///< the drawing's character set, for the report
    OutputSink& output;
    CellEncoder& cells;      ///< the bytes each CSV cell is written as
    RunReport& report;
};

} // namespace dxf2csv
