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

bool g_wideAllowed = true;

bool useAvx2() {
#if DXF2CSV_X86
    return g_wideAllowed && __builtin_cpu_supports("avx2");
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

void LineReader::allowWideInstructionsForTesting(bool allowed) { g_wideAllowed = allowed; }

LineReader::LineReader(ByteSource& source, std::size_t blockSize, std::string name, std::size_t longestLine)
    : source_(source),
      name_(std::move(name)),
      longestLine_(longestLine),
      buffer_(new char[blockSize + kPadding]),
      capacity_(blockSize),
      avx2_(useAvx2()) {
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
            throw RunFailure(FailureKind::LineTooLong, name_, lineNumber_ + 1,
                             "more than " + std::to_string(longestLine_) + " bytes without a line end; not an ASCII DXF drawing");
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

namespace {

/// The bytes of a 64-byte span that decide whether its pairs are quiet.
struct SpanMasks {
    std::uint64_t cr = 0;
    std::uint64_t lf = 0;
    std::uint64_t digit = 0; ///< '0'..'9'
    std::uint64_t blank = 0; ///< ' '
    std::uint64_t zero = 0;  ///< '0'
    std::uint64_t opener = 0; ///< 'T', 'E', 'S', 'G', CR, LF: what may begin a value that matters after code 0
};

inline SpanMasks spanMasks(const char* p) {
    SpanMasks m;
#if DXF2CSV_X86
    const __m128i lowest = _mm_set1_epi8('0');
    const __m128i highest = _mm_set1_epi8('9');
    const __m128i blank = _mm_set1_epi8(' ');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    auto bits = [](__m128i v, int shift) {
        return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(v))) << shift;
    };
    for (int part = 0; part < 4; ++part) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
        const __m128i isDigit = _mm_and_si128(_mm_cmpeq_epi8(_mm_max_epu8(c, lowest), c),
                                              _mm_cmpeq_epi8(_mm_min_epu8(c, highest), c));
        const int shift = 16 * part;
        m.cr |= bits(_mm_cmpeq_epi8(c, cr), shift);
        m.lf |= bits(_mm_cmpeq_epi8(c, lf), shift);
        m.digit |= bits(isDigit, shift);
        m.blank |= bits(_mm_cmpeq_epi8(c, blank), shift);
        m.zero |= bits(_mm_cmpeq_epi8(c, lowest), shift);
        const __m128i opener = _mm_or_si128(
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(c, _mm_set1_epi8('T')), _mm_cmpeq_epi8(c, _mm_set1_epi8('E'))),
                         _mm_or_si128(_mm_cmpeq_epi8(c, _mm_set1_epi8('S')), _mm_cmpeq_epi8(c, _mm_set1_epi8('G')))),
            _mm_or_si128(_mm_cmpeq_epi8(c, cr), _mm_cmpeq_epi8(c, lf)));
        m.opener |= bits(opener, shift);
    }
#else
    for (int i = 0; i < 64; ++i) {
        const auto c = static_cast<unsigned char>(p[i]);
        const std::uint64_t bit = std::uint64_t{1} << i;
        if (c == '\r') m.cr |= bit;
        if (c == '\n') m.lf |= bit;
        if (c - unsigned{'0'} < 10) m.digit |= bit;
        if (c == ' ') m.blank |= bit;
        if (c == '0') m.zero |= bit;
        if (c == 'T' || c == 'E' || c == 'S' || c == 'G' || c == '\r' || c == '\n') m.opener |= bit;
    }
#endif
    return m;
}

/// Bit i: the parity of the set bits of x at positions 0..i.
inline std::uint64_t prefixParity(std::uint64_t x) {
    x ^= x << 1;
    x ^= x << 2;
    x ^= x << 4;
    x ^= x << 8;
    x ^= x << 16;
    x ^= x << 32;
    return x;
}

/// The line ends to pass over in a span of `available` bytes that begins with a line: a code
/// line when `phase` is 0, the value line of a pair whose code line was quiet when it is 1.
/// Lines alternate code, value, code, ... A pair is quiet when its code line is blanks then
/// one to four digits, without a leading zero, and not 0 unless the value is quiet too (see
/// below). `loud` tells whether a pair that is not quiet ends the run here.
struct SpanEnds {
    std::uint64_t ends;
    bool loud;
};

inline SpanEnds quietEnds(const SpanMasks& m, std::size_t available, unsigned phase) {
    const std::uint64_t valid = available >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << available) - 1;
    const std::uint64_t cr = m.cr & valid;
    const std::uint64_t lf = m.lf & valid;
    // A CR in the last byte may have its LF beyond the span: it ends nothing here.
    const std::uint64_t lastBit = available >= 64 ? std::uint64_t{1} << 63 : std::uint64_t{1} << (available - 1);
    const std::uint64_t pairs = lf & (cr << 1); // LFs that end a CR LF
    const std::uint64_t ends = lf | (cr & ~(lf >> 1) & ~lastBit);
    // Odd on the value lines: the parity of the line ends so far, turned for phase 1.
    const std::uint64_t codeParity = prefixParity(ends) ^ (std::uint64_t{0} - phase);
    const std::uint64_t codeContent = valid & ~(cr | lf) & ~codeParity;
    // First byte of each terminator: the CR of a CR LF, else the end itself.
    const std::uint64_t termStart = (ends & ~pairs) | ((ends & pairs) >> 1);
    const std::uint64_t codeTerm = termStart & ~(codeParity ^ ends);
    const std::uint64_t lastByte = codeTerm >> 1; // last byte of each code line
    const std::uint64_t d = m.digit;
    const std::uint64_t fiveDigits = d & (d << 1) & (d << 2) & (d << 3) & (d << 4);
    // A code 0 is quiet only before a value that cannot start a TEXT, a GROUP or a section
    // marker (TEXT, GROUP, SECTION, ENDSEC, EOF): one that begins with another byte than T, E,
    // S and G, and is not empty. A value beyond the span counts as loud.
    const std::uint64_t zeroLine = lastByte & m.zero & ~(d << 1);          // its last byte
    const std::uint64_t zeroTerm = zeroLine << 1;
    const std::uint64_t zeroEnd = (zeroTerm & ends) | ((zeroTerm << 1) & pairs);
    const std::uint64_t zeroValueLoud = ((zeroEnd << 1) & m.opener) | (zeroEnd & (std::uint64_t{1} << 63));
    const std::uint64_t loud = (codeContent & ~(d | m.blank))               // a sign, point, tab...
                               | (codeContent & m.blank & (d << 1))          // a blank after a digit
                               | (codeContent & fiveDigits)                  // may not fit 16 bits
                               | (codeContent & m.zero & ~(d << 1) & (d >> 1)) // a leading zero
                               | (lastByte & ~d)                             // empty, or a blank last
                               | (codeTerm & 1)                              // empty, first
                               | zeroValueLoud;                              // a 0 before a value that matters
    // Everything before the first loud byte: it lies in a code line, so what is before it ends
    // with a whole pair. (For an empty code line the byte is the end of the line before it,
    // whose pair then is handed out too.)
    if (loud == 0) return {ends, false};
    return {ends & ((loud & (~loud + 1)) - 1), true};
}

/// Spans of 64 bytes from `begin`, a code line: the lines of the quiet pairs up to the first
/// pair that is not quiet, or that is not whole in the bytes read, and where that pair starts.
template <SpanMasks (*kMasks)(const char*)>
inline std::pair<std::int64_t, std::size_t> quietRunWith(const char* data, std::size_t begin, std::size_t end) {
    std::int64_t lines = 0;
    std::size_t pos = begin;
    unsigned phase = 0;
    std::int64_t pairLines = 0;   // the lines before pairStart
    std::size_t pairStart = begin; // where the pair of pos starts
    while (pos < end) {
        const SpanEnds span = quietEnds(kMasks(data + pos), end - pos, phase);
        std::uint64_t ends = span.ends;
        if (ends != 0) {
            const auto n = static_cast<unsigned>(__builtin_popcountll(ends));
            const std::size_t after = pos + static_cast<std::size_t>(64 - __builtin_clzll(ends));
            if (((phase + n) & 1) == 0) {
                pairStart = after;
                pairLines = lines + n;
            } else if (n >= 2 || phase == 1) {
                // The last line passed is a code line: its pair starts after the end before it.
                ends &= ~(std::uint64_t{1} << (63 - __builtin_clzll(ends)));
                pairStart = ends != 0 ? pos + static_cast<std::size_t>(64 - __builtin_clzll(ends)) : pos;
                pairLines = lines + n - 1;
            }
            lines += n;
            pos = after;
            phase = (phase + n) & 1;
        }
        if (span.loud || span.ends == 0) break;
    }
    return {pairLines, pairStart};
}

inline std::pair<std::int64_t, std::size_t> quietRun(const char* data, std::size_t begin, std::size_t end) {
    return quietRunWith<spanMasks>(data, begin, end);
}

#if DXF2CSV_X86
/// spanMasks 32 bytes at a time: each byte is sorted into its classes by two table lookups,
/// one on its high and one on its low half, whose common bits are its classes.
__attribute__((target("avx2"))) SpanMasks spanMasksAvx2(const char* p) {
    enum : char { kDigit = 1, kBlank = 2, kZero = 4, kCr = 8, kLf = 16, kEorG = 32, kTorS = 64 };
    const __m256i high = _mm256_setr_epi8(
        kCr | kLf, 0, kBlank, kDigit | kZero, kEorG, kTorS, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        kCr | kLf, 0, kBlank, kDigit | kZero, kEorG, kTorS, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    const __m256i low = _mm256_setr_epi8(
        kDigit | kBlank | kZero, kDigit, kDigit, kDigit | kTorS, kDigit | kTorS, kDigit | kEorG, kDigit,
        kDigit | kEorG, kDigit, kDigit, kLf, 0, 0, kCr, 0, 0,
        kDigit | kBlank | kZero, kDigit, kDigit, kDigit | kTorS, kDigit | kTorS, kDigit | kEorG, kDigit,
        kDigit | kEorG, kDigit, kDigit, kLf, 0, 0, kCr, 0, 0);
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    SpanMasks m;
    auto bits = [](__m256i classes, int bit) __attribute__((target("avx2"))) {
        // Moves the class bit to each byte's top bit, where movemask takes it.
        return static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_slli_epi16(classes, 7 - bit))));
    };
    for (int part = 0; part < 2; ++part) {
        const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 * part));
        const __m256i classes = _mm256_and_si256(_mm256_shuffle_epi8(high, _mm256_and_si256(_mm256_srli_epi16(c, 4), nibble)),
                                                 _mm256_shuffle_epi8(low, _mm256_and_si256(c, nibble)));
        const int shift = 32 * part;
        m.digit |= bits(classes, 0) << shift;
        m.blank |= bits(classes, 1) << shift;
        m.zero |= bits(classes, 2) << shift;
        m.cr |= bits(classes, 3) << shift;
        m.lf |= bits(classes, 4) << shift;
        m.opener |= (bits(classes, 5) | bits(classes, 6)) << shift;
    }
    m.opener |= m.cr | m.lf;
    return m;
}

/// quietRun with the instructions of processors that have AVX2 (and so POPCNT and LZCNT).
__attribute__((target("avx2,popcnt,lzcnt,bmi"))) std::pair<std::int64_t, std::size_t>
quietRunAvx2(const char* data, std::size_t begin, std::size_t end) {
    return quietRunWith<spanMasksAvx2>(data, begin, end);
}
#endif

} // namespace

LineReader::QuietPairs LineReader::skipQuietPairs(std::size_t begin) const {
#if DXF2CSV_X86
    const auto [lines, next] = avx2_ ? quietRunAvx2(buffer_.get(), begin, end_) : quietRun(buffer_.get(), begin, end_);
#else
    const auto [lines, next] = quietRun(buffer_.get(), begin, end_);
#endif
    return {lines, next};
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
