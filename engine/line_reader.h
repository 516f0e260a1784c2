#pragma once
// Streams a drawing in large blocks and hands out its lines without copying them.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dxf2csv {

/// Where the drawing's bytes come from.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    /// Reads up to `size` bytes; returns 0 only at the end of the input.
    /// Throws RunFailure(InputCannotBeOpened) on a read error.
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
};

/// A file opened for reading. Throws RunFailure(InputCannotBeOpened) when the path cannot be
/// opened or names a directory.
class FileSource final : public ByteSource {
public:
    explicit FileSource(const std::string& path);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::size_t read(char* buffer, std::size_t size) override;
    int descriptor() const noexcept { return fd_; }

private:
    std::string path_;
    int fd_ = -1;
};

/// Bytes already in memory (tests, the fuzzer).
class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::size_t read(char* buffer, std::size_t size) override;

private:
    std::string_view bytes_;
};

/// Lines end at CR LF, at a lone CR and at a lone LF; the terminator is not part of the line.
/// A line stays valid until the next call of next(). Memory is one block plus the longest line.
class LineReader {
public:
    static constexpr std::size_t kDefaultBlock = std::size_t{1} << 20;

    explicit LineReader(ByteSource& source, std::size_t blockSize = kDefaultBlock);

    /// The next line; false at the end of the input.
    bool next(std::string_view& line);
    /// The number of the line last returned by next() (the first line is 1).
    std::int64_t lineNumber() const noexcept { return lineNumber_; }
    /// The first `size` bytes not yet handed out (fewer at the end of the input).
    std::string_view peek(std::size_t size);
    /// Drops `size` bytes that peek() returned, without counting a line.
    void skip(std::size_t size);

private:
    /// Keeps the unread bytes, grows the buffer when they fill it, and reads more.
    void refill();

    ByteSource& source_;
    std::vector<char> buffer_;
    std::size_t capacity_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    std::int64_t lineNumber_ = 0;
};

} // namespace dxf2csv
