#pragma once
// The report of one run. Its texts are in messages.h.

#include "messages/messages.h"

#include <string>
#include <string_view>
#include <vector>

namespace dxf2csv {


/// UTF-8 text whose lines each end with CR LF.
class RunReport {
public:
    void appendLine(std::string_view line);
    const std::string& text() const noexcept { return text_; }
    /// The lines without their CR LF.
    std::vector<std::string> lines() const;

private:
    std::string text_;
};

} // namespace dxf2csv
