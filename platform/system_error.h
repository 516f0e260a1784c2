#pragma once
// What a call to the operating system says when it fails.

#include <string>

namespace dxf2csv::platform {

/// A failed call, in the system's own words ("No such file or directory"), with what was being
/// done where that helps ("cannot create a file in /plans: Permission denied"). An empty
/// message means the call succeeded.
struct [[nodiscard]] SystemError {
    std::string message;

    explicit operator bool() const noexcept { return !message.empty(); }
};

} // namespace dxf2csv::platform
