#pragma once
// Where the CSV goes. A file is written beside its final name and moved over it only when the
// run succeeds, so a failed run leaves an existing CSV exactly as it was.

#include "platform/staged_file.h"

#include <string>
#include <string_view>

namespace dxf2csv {

class OutputSink {
public:
    virtual ~OutputSink() = default;
    /// Throws RunFailure(OutputCannotBeWritten).
    virtual void write(std::string_view bytes) = 0;
    /// Makes the output final. Throws RunFailure(OutputCannotBeWritten).
    virtual void commit() = 0;
};

/// Collects the output in memory.
class StringSink final : public OutputSink {
public:
    void write(std::string_view bytes) override { data_ += bytes; }
    void commit() override {}
    const std::string& data() const noexcept { return data_; }

private:
    std::string data_;
};

/// A staged file in the output's folder, moved over the output by commit(). Destroyed without
/// commit(), it removes the staged file and leaves the output untouched.
class AtomicFile final : public OutputSink {
public:
    /// Throws RunFailure(OutputCannotBeWritten) when the folder is missing or not writable, or
    /// the path names a directory.
    explicit AtomicFile(const std::string& path);

    void write(std::string_view bytes) override;
    void commit() override;

private:
    void flushBuffer();
    /// Throws RunFailure(OutputCannotBeWritten) when `error` is one.
    void check(const platform::SystemError& error) const;

    std::string path_; ///< as the caller named it, for messages
    std::string buffer_;
    platform::StagedFile file_;
};

} // namespace dxf2csv
