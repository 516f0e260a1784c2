#pragma once
// CSV lines as Excel and other readers take them: fields joined by ",", each line ending in
// CR LF, a field quoted only when it must be.

#include "output/output_sink.h"
#include "reading/field_value.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dxf2csv {

class TextDecoder;

/// The character set the CSV is written in.
enum class CsvEncoding : std::uint8_t {
    Drawing, ///< the drawing's bytes as they are
    Utf8,
    Utf8Bom, ///< UTF-8 after a byte-order mark: what Excel opens as UTF-8 on a double click
    Cp932,   ///< Shift-JIS as Windows writes it: what Japanese Excel reads without a mark
};

/// The encoding a name stands for ("drawing", "utf-8", "utf-8-bom", "cp932", "shift_jis",
/// "sjis"; letters in either case), or nothing.
std::optional<CsvEncoding> csvEncodingNamed(std::string_view name);

/// The bytes each cell is written as: the drawing's own, or the text as the drawing shows it
/// (its character set, then its text codes decoded) in UTF-8 or CP932.
class CellEncoder {
public:
    /// `file` names the drawing in failures.
    CellEncoder(CsvEncoding encoding, const TextDecoder& decoder, const std::string& file)
        : encoding_(encoding), decoder_(decoder), file_(file) {}

    /// Throws RunFailure(NotInCodePage) for a character CP932 lacks, naming the cell's line.
    std::string_view encode(const FieldValue& cell);
    /// A text already as the drawing shows it (UTF-8, codes decoded), for a cell that joins
    /// texts: in the CSV's encoding, where the drawing's own is its stored character set.
    /// Throws RunFailure(NotInCodePage) for a character the encoding lacks, naming `line`.
    std::string_view encodeShown(std::string_view shown, std::int64_t line);
    /// What the file begins with: the byte-order mark of Utf8Bom, else nothing.
    std::string_view preamble() const noexcept;

private:
    /// encoded_ in `page`, or a failure naming `line` and the first character it lacks.
    void toCodePage(int page, std::int64_t line);

    CsvEncoding encoding_;
    const TextDecoder& decoder_;
    const std::string& file_;
    std::string encoded_;
};

/// Appends one field as read, or in double quotes with each '"' doubled when it holds ',',
/// '"' or a line end (so that it stays one field).
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
