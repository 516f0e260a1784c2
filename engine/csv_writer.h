#pragma once
// CSV lines as Excel and other readers take them: fields joined by ",", each line ending in
// CR LF, a field quoted only when it must be.

#include "output_sink.h"

#include <string>
#include <string_view>

namespace dxf2csv {

/// Appends one field as read, or in double quotes with each '"' doubled when it holds ',' or
/// '"' (so that it stays one field).
void appendCsvField(std::string& line, std::string_view field);

/// Assembles one line at a time in `line` (the caller's buffer, kept between lines so that
/// writing allocates nothing once it has seen the longest line) and writes it to `output`.
class CsvLineWriter {
public:
    CsvLineWriter(std::string& line, OutputSink& output) : line_(line), output_(output) { line_.clear(); }

    /// The line's next field.
    void field(std::string_view text) {
        if (fields_ > 0) line_ += ',';
        appendCsvField(line_, text);
        ++fields_;
    }
    /// Writes the line and CR LF, and starts an empty one.
    /// Throws RunFailure(OutputCannotBeWritten).
    void endLine() {
        line_ += "\r\n";
        output_.write(line_);
        line_.clear();
        fields_ = 0;
    }

private:
    std::string& line_;
    OutputSink& output_;
    int fields_ = 0;
};

} // namespace dxf2csv
