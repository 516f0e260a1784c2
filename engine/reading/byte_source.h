#pragma once
// Where a drawing's bytes come from: a file, or bytes already in memory.

#include "platform/input_file.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace dxf2csv {

/// What one read gave: some bytes, the end of the input (0 bytes), or a failure.
struct ReadResult {
    std::size_t size = 0;
    std::string error; ///< why the read failed, in the system's words; empty when it did not
};

class ByteSource {
public:
    virtual ~ByteSource() = default;
    /// Reads up to `size` bytes into `buffer`.
    virtual ReadResult read(char* buffer, std::size_t size) = 0;
};

/// A file opened for reading.
class FileSource final : public ByteSource {
public:
    /// Throws RunFailure(InputCannotBeOpened) when the path cannot be opened or names a directory.
    explicit FileSource(const std::string& path);
    /// The process's standard input; `name` names it in failures.
    struct StandardInput {
        std::string name;
    };
    explicit FileSource(const StandardInput& input);
    ReadResult read(char* buffer, std::size_t size) override;

private:
    platform::InputFile file_;
};

/// Bytes already in memory (tests, the fuzzer).
class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    ReadResult read(char* buffer, std::size_t size) override;

private:
    std::string_view bytes_;
};

} // namespace dxf2csv
