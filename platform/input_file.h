#pragma once
// A file read from its start to its end, as the bytes on disk (no text-mode translation).

#include "platform/system_error.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace dxf2csv::platform {

class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    /// Opens `path` (UTF-8) for reading. A directory is refused (FileStep::IsDirectory).
    SystemError open(const std::string& path);
    /// Reads the process's standard input, as bytes; it stays open when this ends.
    SystemError openStandardInput();

    /// Reads up to `size` bytes; `got` is 0 only at the end of the file. A read interrupted
    /// by a signal is tried again.
    SystemError read(char* buffer, std::size_t size, std::size_t& got);

private:
    std::intptr_t handle_ = -1; ///< the system's handle of the open file; -1 when none
    bool owned_ = true;         ///< closed at the end (standard input is not)
    std::uint64_t bytesRead_ = 0;
};

} // namespace dxf2csv::platform
