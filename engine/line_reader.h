#pragma once
// Streams a drawing in large blocks and hands out its lines without copying them.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

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

/// What a line handler asks for next.
enum class LineFlow {
    Stop, ///< no more lines
    Next, ///< the next line
    /// The next line starts a (group code, value) pair, and quiet pairs may be passed over
    /// unseen: they are counted, not handed out. A pair is quiet when its group code line is
    /// blanks then one to four digits without a leading zero ("  8", "330"), other than 0; or
    /// is 0 before a value that begins with another byte than T, E, S and G (a LINE, not a
    /// TEXT, a GROUP or a section marker). Every other pair is handed out as usual.
    SkipQuietPairs,
};

/// Lines end at CR LF, at a lone CR and at a lone LF; the terminator is not part of the line.
/// A line stays valid until the next call of next(). Memory is one block plus the longest line.
class LineReader {
public:
    static constexpr std::size_t kDefaultBlock = std::size_t{256} << 10;

    /// DXF lines are short (a value holds at most a few thousand bytes), so a line longer than
    /// this is no drawing; refusing it keeps memory bounded whatever the input.
    static constexpr std::size_t kLongestLine = std::size_t{4} << 20;

    /// `name` names the input in failures.
    explicit LineReader(ByteSource& source, std::size_t blockSize = kDefaultBlock, std::string name = {},
                        std::size_t longestLine = kLongestLine);

    /// Readers made after this call use AVX2 only when allowed (and the processor has it), so
    /// that tests reach the plain SSE2 code too.
    static void allowWideInstructionsForTesting(bool allowed);

    /// Calls handle(line, number) for each line in turn (the first line is number 1) until
    /// it returns LineFlow::Stop (or false) or the input ends. A line stays valid during its
    /// call only.
    template <class Handler>
    void forEachLine(Handler&& handle) {
        // Line ends are found 64 bytes at a time as bit masks; within a window the positions
        // live in locals and each line is handed out without looking at its bytes again.
        for (;;) {
            const char* data = buffer_.get();
            const std::size_t windowStart = windowStart_;
            const std::uint64_t pairs = pairs_;
            std::uint64_t ends = ends_;
            std::size_t begin = begin_;
            std::int64_t number = lineNumber_;
            while (ends != 0) {
                const unsigned bit = static_cast<unsigned>(__builtin_ctzll(ends));
                const std::size_t last = windowStart + bit; // last byte of the terminator
                const std::size_t terminator = 1 + ((pairs >> bit) & 1);
                const std::string_view line(data + begin, last + 1 - terminator - begin);
                begin = last + 1;
                ends &= ends - 1;
                ++number;
                const LineFlow flow = asFlow(handle(line, number));
                if (flow == LineFlow::Stop) {
                    begin_ = begin;
                    ends_ = ends;
                    lineNumber_ = number;
                    return;
                }
                if (flow == LineFlow::SkipQuietPairs) {
                    const QuietPairs quiet = skipQuietPairs(begin);
                    if (quiet.lines != 0) {
                        // Go on at the first pair that is not quiet, with windows from there.
                        number += quiet.lines;
                        begin = quiet.begin;
                        ends = 0;
                        nextWindow_ = begin;
                        carryCr_ = false;
                    }
                }
            }
            begin_ = begin;
            ends_ = 0;
            lineNumber_ = number;
            if (nextWindow_ < end_) {
                scanWindow();
            } else if (!atEnd_) {
                refill();
            } else {
                if (begin_ == end_) return;
                // The last line has no terminator.
                const std::string_view line(data + begin_, end_ - begin_);
                begin_ = end_;
                handle(line, ++lineNumber_);
                return;
            }
        }
    }

    /// The next line; false at the end of the input.
    bool next(std::string_view& line) {
        bool got = false;
        forEachLine([&](std::string_view l, std::int64_t) {
            line = l;
            got = true;
            return false;
        });
        return got;
    }
    /// The number of the line last returned by next() (the first line is 1).
    std::int64_t lineNumber() const noexcept { return lineNumber_; }
    /// The first `size` bytes not yet handed out (fewer at the end of the input).
    std::string_view peek(std::size_t size);
    /// Drops `size` bytes that peek() returned, without counting a line.
    void skip(std::size_t size);

private:
    /// Keeps the unread bytes, grows the buffer when they fill it, and reads more.
    /// Throws RunFailure(LineTooLong) for a line longer than the longest allowed.
    void refill();
    /// Finds the line ends of the next 64-byte window.
    void scanWindow();
    struct QuietPairs {
        std::int64_t lines; ///< how many lines were passed over (always even)
        std::size_t begin;  ///< where the next line starts
    };
    /// Passes over the whole quiet pairs in the bytes read, from `begin`, where a group-code
    /// line starts.
    QuietPairs skipQuietPairs(std::size_t begin) const;
    static LineFlow asFlow(LineFlow flow) { return flow; }
    static LineFlow asFlow(bool more) { return more ? LineFlow::Next : LineFlow::Stop; }
    /// Forgets the masks; scanning goes on at the next line.
    void restartScan();

    ByteSource& source_;
    std::string name_;
    std::size_t longestLine_;
    std::unique_ptr<char[]> buffer_; ///< capacity_ bytes and a zeroed padding; not zero-filled
    std::size_t capacity_;
    bool avx2_;                   ///< the processor finds line ends 32 bytes at a time
    std::size_t begin_ = 0;       ///< start of the next line
    std::size_t end_ = 0;         ///< end of the bytes read
    std::size_t windowStart_ = 0; ///< where bit 0 of the masks lies
    std::size_t nextWindow_ = 0;  ///< the next window to scan
    std::uint64_t ends_ = 0;      ///< last byte of each terminator not yet handed out
    std::uint64_t pairs_ = 0;     ///< the LF bytes that end a CR LF
    bool carryCr_ = false;        ///< the byte before nextWindow_ is a CR
    bool atEnd_ = false;
    std::int64_t lineNumber_ = 0;
};

} // namespace dxf2csv
