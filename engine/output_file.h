#pragma once
// Where the CSV goes. A file is written beside its final name and moved over it only when the
// run succeeds, so a failed run leaves an existing CSV exactly as it was.

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>

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

/// A temporary file in the output's folder, renamed over the output by commit(). Destroyed
/// without commit(), it removes the temporary file and leaves the output untouched.
class AtomicFile final : public OutputSink {
public:
    /// Throws RunFailure(OutputCannotBeWritten) when the folder is missing or not writable, or
    /// the path names a directory.
    explicit AtomicFile(const std::string& path);
    ~AtomicFile() override;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(std::string_view bytes) override;
    void commit() override;
    const std::string& temporaryPath() const noexcept { return tempPath_; }

private:
    void flushBuffer();
    [[noreturn]] void fail(const std::string& what, int error);

    std::string path_;   ///< as the caller named it, for messages
    std::string target_; ///< the file that is replaced (a link's target)
    std::string tempPath_;
    std::string buffer_;
    int fd_ = -1;
    bool committed_ = false;
};

/// The writes of AtomicFile go through this function; tests replace it to make a write fail
/// part way (a full disk). Pass nullptr to restore ::write.
using WriteFunction = ssize_t (*)(int fd, const void* data, std::size_t size);
void setWriteFunctionForTesting(WriteFunction function);

/// True when both paths name one existing file (also through links or another spelling).
bool sameFile(const std::string& a, const std::string& b);

} // namespace dxf2csv
