#pragma once
// What the steps of one run share: the drawing's name, its character set, where its tables go
// and the report.

#include <string>

namespace dxf2csv {

class RunReport;
class TableOutput;
class TextDecoder;

struct RunContext {
    const std::string& file; ///< the drawing, as named in failure messages
    TextDecoder& decoder;    ///< the drawing's character set, for the report
    TableOutput& tables;     ///< where the tables go: a CSV or a workbook
    RunReport& report;
};

} // namespace dxf2csv
