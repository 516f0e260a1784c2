#include "line_reader.h"

#include "run_failure.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__x86_64__)
#include <immintrin.h>
#define DXF2CSV_X86 1
#endif

namespace dxf2csv {
namespace {

// Room after the data, so a 64-byte window that starts inside it never leaves the buffer.
constexpr std::size_t kPadding = 64;

struct LineEndMasks {
    std::uint64_t cr = 0; ///< bit i: p[i] is CR
    std::uint64_t lf = 0; ///< bit i: p[i] is LF
};

/// The CR and LF bytes of p[0..63], 16 bytes at a time.
inline LineEndMasks lineEndMasks(const char* p) {
    LineEndMasks masks;
#if DXF2CSV_X86
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (int part = 0; part < 4; ++part) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
        const auto crBits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, cr)));
        const auto lfBits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, lf)));
        masks.cr |= static_cast<std::uint64_t>(crBits) << (16 * part);
        masks.lf |= static_cast<std::uint64_t>(lfBits) << (16 * part);
    }
#else
    for (int i = 0; i < 64; ++i) {
        if (p[i] == '\r') masks.cr |= std::uint64_t{1} << i;
        if (p[i] == '\n') masks.lf |= std::uint64_t{1} << i;
    }
#endif
    return masks;
}

#if DXF2CSV_X86
/// The same, 32 bytes at a time, for processors with AVX2.
__attribute__((target("avx2"))) LineEndMasks lineEndMasksAvx2(const char* p) {
    const __m256i cr = _mm256_set1_epi8('\r');
    const __m256i lf = _mm256_set1_epi8('\n');
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
    const auto crLow = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, cr)));
    const auto crHigh = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, cr)));
    const auto lfLow = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, lf)));
    const auto lfHigh = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, lf)));
    LineEndMasks masks;
    masks.cr = crLow | static_cast<std::uint64_t>(crHigh) << 32;
    masks.lf = lfLow | static_cast<std::uint64_t>(lfHigh) << 32;
    return masks;
}
#endif

bool hasAvx2() {
#if DXF2CSV_X86
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

} // namespace

FileSource::FileSource(const std::string& path) : path_(path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        throw RunFailure(FailureKind::InputCannotBeOpened, path, 0, std::strerror(errno));
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
        const std::string reason = S_ISDIR(info.st_mode) ? "is a directory" : std::strerror(errno);
        ::close(fd_);
        fd_ = -1;
        throw RunFailure(FailureKind::InputCannotBeOpened, path, 0, reason);
    }
#if defined(POSIX_FADV_SEQUENTIAL)
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
}

FileSource::~FileSource() {
    if (fd_ >= 0) ::close(fd_);
}

std::size_t FileSource::read(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, size);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR)
            throw RunFailure(FailureKind::InputCannotBeOpened, path_, 0,
                             std::string("read error: ") + std::strerror(errno));
    }
}

std::size_t MemorySource::read(char* buffer, std::size_t size) {
    const std::size_t n = size < bytes_.size() ? size : bytes_.size();
    std::memcpy(buffer, bytes_.data(), n);
    bytes_.remove_prefix(n);
    return n;
}

LineReader::LineReader(ByteSource& source, std::size_t blockSize)
    : source_(source), buffer_(new char[blockSize + kPadding]), capacity_(blockSize), avx2_(hasAvx2()) {
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
        // One line longer than a block: make room for it.
        capacity_ *= 2;
        std::unique_ptr<char[]> larger(new char[capacity_ + kPadding]);
        std::memcpy(larger.get(), buffer_.get(), end_);
        std::memset(larger.get() + capacity_, 0, kPadding);
        buffer_ = std::move(larger);
    }
    const std::size_t got = source_.read(buffer_.get() + end_, capacity_ - end_);
    if (got == 0) atEnd_ = true;
    end_ += got;
    restartScan();
}

void LineReader::restartScan() {
    // Scan again from the next line: its window may have been cut short by the old end. The
    // byte before a line start is never a CR whose LF is still to come, so no CR carries over.
    ends_ = 0;
    pairs_ = 0;
    nextWindow_ = begin_;
    carryCr_ = false;
}

void LineReader::scanWindow() {
    windowStart_ = nextWindow_;
    nextWindow_ += 64;
    const char* p = buffer_.get() + windowStart_;
    const std::size_t valid = end_ - windowStart_;
    const std::uint64_t inData = valid >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << valid) - 1;
#if DXF2CSV_X86
    const LineEndMasks masks = avx2_ ? lineEndMasksAvx2(p) : lineEndMasks(p);
#else
    const LineEndMasks masks = lineEndMasks(p);
#endif
    const std::uint64_t cr = masks.cr & inData;
    const std::uint64_t lf = masks.lf & inData;
    const bool nextIsLf = valid > 64 && p[64] == '\n';
    const std::uint64_t lfAfterCr = lf & ((cr << 1) | static_cast<std::uint64_t>(carryCr_));
    const std::uint64_t crBeforeLf = cr & ((lf >> 1) | (static_cast<std::uint64_t>(nextIsLf) << 63));
    std::uint64_t ends = lf | (cr & ~crBeforeLf);
    // A CR as the last byte read may yet be followed by an LF: it waits for the next block.
    if (!atEnd_ && valid <= 64 && (cr >> (valid - 1) & 1) != 0) ends &= ~(std::uint64_t{1} << (valid - 1));
    ends_ = ends;
    pairs_ = lfAfterCr;
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
