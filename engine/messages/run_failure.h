#pragma once
// The one exception type of a conversion run.

#include "messages/messages.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dxf2csv {

/// A failure of one run. Its description names the file, the drawing's line (0 where the
/// failure belongs to no line), the kind and the detail with the offending text; what() is
/// the description in English: "FILE:LINE: KIND: DETAIL".
class RunFailure : public std::runtime_error {
public:
    RunFailure(FailureKind kind, std::string file, std::int64_t line, Detail detail = Detail::None,
               std::vector<std::string> args = {});

    FailureKind kind() const noexcept { return kind_; }
    const std::string& file() const noexcept { return file_; }
    std::int64_t line() const noexcept { return line_; }
    /// The detail in `language` ("\"ab\"", "read error: ...").
    std::string detail(Language language = Language::English) const;
    /// "FILE:LINE: KIND: DETAIL" in `language`, the file's name escaped as quoted texts are (but
    /// for its quotes and backslashes), so that the message is UTF-8 whatever the name holds.
    std::string describe(Language language) const;

private:
    FailureKind kind_;
    std::string file_;
    std::int64_t line_;
    Detail detail_;
    std::vector<std::string> args_;
};

/// The offending text for a message: in double quotes, control bytes and bytes that begin no
/// UTF-8 character escaped as \xNN,
/// cut after about 60 bytes (at a character boundary) with "..." so a runaway line cannot flood a terminal.
std::string quoteText(std::string_view text);

} // namespace dxf2csv
