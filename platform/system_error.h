#pragma once
// What a call to the operating system says when it fails.

#include <cstdint>
#include <string>
#include <utility>

namespace dxf2csv::platform {

/// The step of a file's use that failed, where the system's words alone would not say it.
enum class FileStep : std::uint8_t {
    None,        ///< the system's words say it all
    IsDirectory, ///< the path names a directory (the system says nothing)
    CreateIn,    ///< creating a file in the folder `subject`
    Write,
    Flush,       ///< to the disk
    Close,
    Replace,     ///< moving a staged file over its target
};

/// A failed call: the step and the system's own words ("No such file or directory"). A
/// default one means the call succeeded.
struct [[nodiscard]] SystemError {
    SystemError() = default;
    SystemError(std::string message, FileStep step = FileStep::None, std::string subject = {})
        : message(std::move(message)), step(step), subject(std::move(subject)) {}

    std::string message;
    FileStep step = FileStep::None;
    std::string subject; ///< for CreateIn: the folder

    explicit operator bool() const noexcept { return !message.empty() || step != FileStep::None; }
};

} // namespace dxf2csv::platform
