#include "reading/line_reader.h"

#include "messages/run_failure.h"
#include "reading/line_ends.h"

#include <cstring>

namespace dxf2csv {
namespace {

// Room after the data, so a 64-byte window that starts inside it never leaves the buffer.
constexpr std::size_t kPadding = 64;

ClassMasks<2> lineEndBytesPortable(const char* p) { return byte_classes::classifyPortable<kLineEndBytes>(p); }

#if DXF2CSV_X86
ClassMasks<2> lineEndBytesSse2(const char* p) { return byte_classes::classifySse2<kLineEndBytes>(p); }
__attribute__((target("avx2"))) ClassMasks<2> lineEndBytesAvx2(const char* p) {
    return byte_classes::classifyAvx2<kLineEndBytes>(p);
}
#endif

ClassMasks<2> lineEndBytes(const char* p, InstructionSet set) {
#if DXF2CSV_X86
    if (set == InstructionSet::Avx2) return lineEndBytesAvx2(p);
    if (set == InstructionSet::Sse2) return lineEndBytesSse2(p);
#endif
    (void)set;
    return lineEndBytesPortable(p);
}

} // namespace

LineReader::LineReader(ByteSource& source, std::size_t blockSize, std::string name, std::size_t longestLine,
                       LineSkipper skipper)
    : source_(source),
      name_(std::move(name)),
      longestLine_(longestLine),
      skipper_(skipper),
      buffer_(new char[blockSize + kPadding]),
      capacity_(blockSize),
      instructions_(widestInstructionSet()) {
    std::memset(buffer_.get() + capacity_, 0, kPadding);
}

void LineReader::refill() {
    const std::size_t kept = end_ - begin_;
    if (begin_ > 0) {
        std::memmove(buffer_.get(), buffer_.get() + begin_, kept);
        begin_ = 0;
        end_ = kept;
    }
    if (end_ == capacity_) {
        // One line longer than a block: make room for it, up to the longest line allowed.
        if (capacity_ >= longestLine_)
            throw RunFailure(FailureKind::LineTooLong, name_, lineNumber_ + 1, Detail::NoLineEnd,
                             {std::to_string(longestLine_)});
        capacity_ *= 2;
        std::unique_ptr<char[]> larger(new char[capacity_ + kPadding]);
        std::memcpy(larger.get(), buffer_.get(), end_);
        std::memset(larger.get() + capacity_, 0, kPadding);
        buffer_ = std::move(larger);
    }
    const ReadResult got = source_.read(buffer_.get() + end_, capacity_ - end_);
    if (!got.error.empty())
        throw RunFailure(FailureKind::InputCannotBeRead, name_, lineNumber_ + 1, Detail::ReadError, {got.error});
    if (got.size == 0) atEnd_ = true;
    end_ += got.size;
    restartScan();
}

void LineReader::restartScan() {
    // Scan again from the next line: its window may have been cut short by the old end. The
    // byte before a line start is never a CR whose LF is still to come, so no CR carries over.
    ends_ = 0;
    crlf_ = 0;
    nextWindow_ = begin_;
    carryCr_ = false;
}

void LineReader::scanWindow() {
    windowStart_ = nextWindow_;
    nextWindow_ += 64;
    const char* p = buffer_.get() + windowStart_;
    const std::size_t valid = end_ - windowStart_;
    const std::uint64_t inData = firstBytes(valid);
    const ClassMasks<2> bytes = lineEndBytes(p, instructions_);
    const std::uint64_t cr = bytes[0] & inData;
    const bool lfAfter = valid > 64 && p[64] == '\n';
    const LineEnds found = lineEnds(cr, bytes[1] & inData, carryCr_, lfAfter);
    std::uint64_t ends = found.ends;
    // A CR as the last byte read may yet be followed by an LF: it waits for the next block.
    if (!atEnd_ && valid <= 64 && (cr >> (valid - 1) & 1) != 0) ends &= ~(std::uint64_t{1} << (valid - 1));
    ends_ = ends;
    crlf_ = found.crlf;
    carryCr_ = (cr >> 63) != 0;
}

std::string_view LineReader::peek(std::size_t size) {
    while (end_ - begin_ < size && !atEnd_) refill();
    const std::size_t n = end_ - begin_ < size ? end_ - begin_ : size;
    return std::string_view(buffer_.get() + begin_, n);
}

void LineReader::skip(std::size_t size) {
    begin_ += size;
    restartScan();
}

} // namespace dxf2csv
