#pragma once
// The one exception type of a conversion run.

#include "number_reading.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace dxf2csv {

enum class FailureKind {
    InputCannotBeOpened,   ///< missing, a directory, unreadable
    InputCannotBeRead,     ///< the system failed to read the drawing part way
    OutputCannotBeWritten, ///< cannot be created, written, synced or renamed into place
    NotANumber,            ///< a group code, tolerance or compared value that is no number
    NumberOutOfRange,      ///< outside -32768..32767 (or past what a double holds)
    InputEndsInsidePair,   ///< the drawing ends after a group-code line
    RowOutOfRange,         ///< a store outside rows or slots 1..5000
    BinaryDxf,             ///< the drawing is a binary DXF
    OutputIsInput,         ///< the output path names the drawing itself
    LineTooLong,           ///< a line longer than any drawing holds (not a DXF)
};

/// A short English name of the kind, as shown in messages ("not a number").
std::string_view kindName(FailureKind kind);

/// A failure of one run. The description names the file, the drawing's line (0 where the
/// failure belongs to no line) and the offending text; what() is "FILE:LINE: KIND: DETAIL".
class RunFailure : public std::runtime_error {
public:
    RunFailure(FailureKind kind, std::string file, std::int64_t line, std::string detail);

    FailureKind kind() const noexcept { return kind_; }
    const std::string& file() const noexcept { return file_; }
    std::int64_t line() const noexcept { return line_; }
    const std::string& detail() const noexcept { return detail_; }

private:
    FailureKind kind_;
    std::string file_;
    std::int64_t line_;
    std::string detail_;
};

/// The failure for a number read as `status` (not Ok): NotANumber or NumberOutOfRange.
[[noreturn]] void failNumber(NumberStatus status, std::string file, std::int64_t line, std::string detail);

/// The offending text for a message: in double quotes, control bytes escaped as \xNN,
/// cut after about 60 bytes (at a character boundary) with "..." so a runaway line cannot flood a terminal.
std::string quoteText(std::string_view text);

} // namespace dxf2csv
