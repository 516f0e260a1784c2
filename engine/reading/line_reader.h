#pragma once
// Streams a drawing in large blocks and hands out its lines without copying them. The reader
// knows lines and their numbers, nothing of DXF: which lines may be passed over unseen is
// decided by a skipper that its owner gives it.

#include "reading/byte_source.h"
#include "reading/instruction_set.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace dxf2csv {

/// Lines passed over by a skipper: how many, and where the line after them starts.
struct PassedOver {
    std::int64_t lines = 0;
    std::size_t next = 0;
};

/// Finds whole lines to pass over in data[begin, end), where `begin` starts a line. The bytes
/// may be read up to 64 past `end` (they are there, but are no data).
using LineSkipper = PassedOver (*)(const char* data, std::size_t begin, std::size_t end);

/// What a line handler asks for next.
enum class LineFlow {
    Stop,     ///< no more lines
    Next,     ///< the next line
    PassOver, ///< let the skipper pass over what it can from the next line on, then go on
};

/// Lines end at CR LF, at a lone CR and at a lone LF; the terminator is not part of the line.
/// Memory is one block plus the longest line.
class LineReader {
public:
    static constexpr std::size_t kDefaultBlock = std::size_t{256} << 10;

    /// DXF lines are short (a value holds at most a few thousand bytes), so a line longer than
    /// this is no drawing; refusing it keeps memory bounded whatever the input.
    static constexpr std::size_t kLongestLine = std::size_t{4} << 20;

    /// `name` names the input in failures.
    explicit LineReader(ByteSource& source, std::size_t blockSize = kDefaultBlock, std::string name = {},
                        std::size_t longestLine = kLongestLine, LineSkipper skipper = nullptr);

    /// Calls handle(line, number) for each line in turn (the first line is number 1) until
    /// it returns LineFlow::Stop or the input ends. A line stays valid during its
    /// call only.
    /// Throws RunFailure: LineTooLong, and InputCannotBeRead when the source fails.
    template <class Handler>
    void forEachLine(Handler&& handle) {
        // Line ends are found 64 bytes at a time as bit masks; within a window the positions
        // live in locals and each line is handed out without looking at its bytes again.
        for (;;) {
            const char* data = buffer_.get();
            const std::size_t windowStart = windowStart_;
            const std::uint64_t crlf = crlf_;
            std::uint64_t ends = ends_;
            std::size_t begin = begin_;
            std::int64_t number = lineNumber_;
            while (ends != 0) {
                const unsigned bit = static_cast<unsigned>(__builtin_ctzll(ends));
                const std::size_t last = windowStart + bit; // last byte of the terminator
                const std::size_t terminator = 1 + ((crlf >> bit) & 1);
                const std::string_view line(data + begin, last + 1 - terminator - begin);
                begin = last + 1;
                ends &= ends - 1;
                ++number;
                const LineFlow flow = handle(line, number);
                if (flow == LineFlow::Stop) {
                    begin_ = begin;
                    ends_ = ends;
                    lineNumber_ = number;
                    return;
                }
                if (flow == LineFlow::PassOver && skipper_ != nullptr) {
                    const PassedOver passed = skipper_(data, begin, end_);
                    if (passed.lines != 0) {
                        // Go on after them, with windows from there.
                        number += passed.lines;
                        begin = passed.next;
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

    /// How many lines have been handed out or passed over: after forEachLine has run to the
    /// end of the input, the number of the drawing's last line.
    std::int64_t linesRead() const noexcept { return lineNumber_; }
    /// The first `size` bytes not yet handed out (fewer at the end of the input).
    std::string_view peek(std::size_t size);
    /// Drops `size` bytes that peek() returned, without counting a line.
    void skip(std::size_t size);

private:
    /// Keeps the unread bytes, grows the buffer when they fill it, and reads more.
    /// Throws RunFailure: LineTooLong past the longest line, InputCannotBeRead.
    void refill();
    /// Finds the line ends of the next 64-byte window.
    void scanWindow();
    /// Forgets the masks; scanning goes on at the next line.
    void restartScan();

    ByteSource& source_;
    std::string name_;
    std::size_t longestLine_;
    LineSkipper skipper_;
    std::unique_ptr<char[]> buffer_; ///< capacity_ bytes and a zeroed padding; not zero-filled
    std::size_t capacity_;
    InstructionSet instructions_;
    std::size_t begin_ = 0;       ///< start of the next line
    std::size_t end_ = 0;         ///< end of the bytes read
    std::size_t windowStart_ = 0; ///< where bit 0 of the masks lies
    std::size_t nextWindow_ = 0;  ///< the next window to scan
    std::uint64_t ends_ = 0;      ///< last byte of each terminator not yet handed out
    std::uint64_t crlf_ = 0;      ///< the LF bytes that end a CR LF
    bool carryCr_ = false;        ///< the byte before nextWindow_ is a CR
    bool atEnd_ = false;
    std::int64_t lineNumber_ = 0;
};

} // namespace dxf2csv
