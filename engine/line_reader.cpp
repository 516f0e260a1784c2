#include "line_reader.h"

#include "run_failure.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace dxf2csv {
namespace {

// Room after the data, so a vector load that starts inside it never leaves the buffer.
constexpr std::size_t kPadding = 64;

/// The first CR or LF in [p, end), or end.
inline const char* findLineEnd(const char* p, const char* end) {
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (end - p >= 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hits = _mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf));
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
        if (mask != 0) return p + __builtin_ctz(mask);
        p += 16;
    }
#endif
    for (; p < end; ++p)
        if (*p == '\n' || *p == '\r') return p;
    return end;
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
    : source_(source), buffer_(blockSize + kPadding), capacity_(blockSize) {}

void LineReader::refill() {
    const std::size_t kept = end_ - begin_;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, kept);
        begin_ = 0;
        end_ = kept;
    }
    if (end_ == capacity_) {
        // One line longer than a block: make room for it.
        capacity_ *= 2;
        buffer_.resize(capacity_ + kPadding);
    }
    const std::size_t got = source_.read(buffer_.data() + end_, capacity_ - end_);
    if (got == 0) atEnd_ = true;
    end_ += got;
}

bool LineReader::next(std::string_view& line) {
    for (;;) {
        const char* base = buffer_.data();
        const char* start = base + begin_;
        const char* stop = base + end_;
        const char* hit = findLineEnd(start, stop);
        if (hit != stop) {
            std::size_t terminator = 1;
            if (*hit == '\r') {
                if (hit + 1 == stop && !atEnd_) {
                    refill(); // a CR at the block's end: its LF may be in the next block
                    continue;
                }
                if (hit + 1 != stop && hit[1] == '\n') terminator = 2;
            }
            line = std::string_view(start, static_cast<std::size_t>(hit - start));
            begin_ = static_cast<std::size_t>(hit - base) + terminator;
            ++lineNumber_;
            return true;
        }
        if (atEnd_) {
            if (start == stop) return false;
            line = std::string_view(start, static_cast<std::size_t>(stop - start));
            begin_ = end_;
            ++lineNumber_;
            return true;
        }
        refill();
    }
}

std::string_view LineReader::peek(std::size_t size) {
    while (end_ - begin_ < size && !atEnd_) refill();
    const std::size_t n = end_ - begin_ < size ? end_ - begin_ : size;
    return std::string_view(buffer_.data() + begin_, n);
}

void LineReader::skip(std::size_t size) { begin_ += size; }

} // namespace dxf2csv
