#include "reading/quiet_pairs.h"

#include "reading/byte_classes.h"
#include "reading/dxf_names.h"
#include "reading/line_ends.h"

#include <array>

namespace dxf2csv {
namespace {

/// The first letters of the names that matter after group code 0: a value that begins with
/// one of them may open a TEXT, a GROUP or a section, or end one.
constexpr std::string_view kActiveFirstLetters = "TESG";

constexpr bool activeFirstLettersMatchTheNames() {
    for (const std::string_view name : names::kActiveAfterCode0)
        if (kActiveFirstLetters.find(name[0]) == std::string_view::npos) return false;
    for (const char c : kActiveFirstLetters) {
        bool used = false;
        for (const std::string_view name : names::kActiveAfterCode0) used = used || name[0] == c;
        if (!used) return false;
    }
    return true;
}
static_assert(activeFirstLettersMatchTheNames(), "kActiveFirstLetters are the first letters of kActiveAfterCode0");

/// The classes of bytes that decide whether a pair is quiet, in this order.
enum PairClass : std::size_t { kCr, kLf, kDigit, kBlank, kZero, kActive };
constexpr std::array<ByteSet, 6> kPairBytes = {
    ByteSet::of("\r"), ByteSet::of("\n"), ByteSet::range('0', '9'), ByteSet::of(" "), ByteSet::of("0"),
    ByteSet::of(kActiveFirstLetters)};

using PairMasks = ClassMasks<6>;

/// Bit i: the number of set bits of x at positions 0..i is odd. Each step adds the running
/// parity of the block below: after the shifts by 1, 2, 4, ... 32, every bit has folded in all
/// the bits below it. For x = 0b0100100 it gives 0b0011100: odd from bit 2 up to bit 4.
constexpr std::uint64_t prefixParity(std::uint64_t x) noexcept {
    x ^= x << 1;
    x ^= x << 2;
    x ^= x << 4;
    x ^= x << 8;
    x ^= x << 16;
    x ^= x << 32;
    return x;
}

/// The bits below the lowest set bit of x (all bits when x is 0): x & -x isolates that bit,
/// and one less is everything under it. For x = 0b0101000 it gives 0b0000111.
constexpr std::uint64_t bitsBelowFirst(std::uint64_t x) noexcept { return (x & (~x + 1)) - 1; }

/// The line ends to pass over in a span of `available` bytes that begins with a line: a code
/// line when `phase` is 0, the value line of a pair whose code line was quiet when it is 1.
/// `loud` tells whether a loud pair ends the run within the span.
struct SpanEnds {
    std::uint64_t ends;
    bool loud;
};

/// Worked example: a span of 64 bytes in phase 0, printed byte 0 first (^ is CR, $ is LF). The
/// pairs (10, 1.5), (0, LINE) and (8, 0) are quiet; (0, TEXT) is loud.
///
/// bytes         10^$1.5^$  0^$LINE^$  8^$0^$  0^$TEXT^$  5^$2A^$100^$AcDbEntity
/// cr           ...1....1....1.....1....1..1....1.....1....1...1....1...........
/// lf           ....1....1....1.....1....1..1....1.....1....1...1....1..........
/// ends         ....1....1....1.....1....1..1....1.....1....1...1....1..........
/// valueLines   ....11111.....111111.....111.....111111.....1111.....11111111111
/// codeBytes    111.......111........111.....111........111......111............
/// codeEnds     ...1.........1..........1.......1..........1........1...........
/// lastCode     ..1.........1..........1.......1..........1........1............
/// zeroCode     ............1..................1................................
/// zeroValue    ..................................1.............................
/// loud         ..................................1.............................
/// beforeLoud   1111111111111111111111111111111111..............................
/// passed       ....1....1....1.....1....1..1....1..............................
///
/// valueLines is the prefix parity of ends: a line's bytes have an even number of ends before
/// them on a code line and an odd number on a value line (each end byte already counts its
/// own). codeEnds are the first bytes of the code lines' terminators, and lastCode the bytes
/// before them. The "  0" at 10..12 is quiet because the value after it begins with 'L'; the
/// one at 29..31 is loud because 'T' begins its value. The seven ends before the loud byte
/// pass over three and a half pairs; the caller keeps the whole ones.
[[gnu::always_inline]] inline SpanEnds quietEnds(const PairMasks& m, std::size_t available, unsigned phase) noexcept {
    const std::uint64_t valid = firstBytes(available);
    const std::uint64_t cr = m[kCr] & valid;
    const std::uint64_t lf = m[kLf] & valid;
    const std::uint64_t digit = m[kDigit];
    // A CR in the last byte may have its LF beyond the span: it ends nothing here.
    const std::uint64_t lastByte = available >= 64 ? std::uint64_t{1} << 63 : std::uint64_t{1} << (available - 1);
    const LineEnds found = lineEnds(cr, lf, false, false);
    const std::uint64_t ends = found.ends & ~(cr & lastByte);
    const std::uint64_t valueLines = prefixParity(ends) ^ (std::uint64_t{0} - phase);
    const std::uint64_t codeBytes = valid & ~(cr | lf) & ~valueLines;
    // The first byte of each terminator: the CR of a CR LF, else the end itself.
    const std::uint64_t terminatorStarts = (ends & ~found.crlf) | ((ends & found.crlf) >> 1);
    // A code line's terminator starts where the parity still says "code" (a CR LF's CR) or
    // where the end itself turns it to "value" (a lone CR or LF).
    const std::uint64_t codeEnds = terminatorStarts & ~(valueLines ^ ends);
    const std::uint64_t lastCode = codeEnds >> 1;
    const std::uint64_t afterDigit = digit << 1;
    const std::uint64_t beforeDigit = digit >> 1;
    const std::uint64_t fiveDigits = digit & (digit << 1) & (digit << 2) & (digit << 3) & (digit << 4);
    // A code 0 is quiet only before a value that cannot begin a name that matters, and that
    // is not empty. A value beyond the span counts as loud.
    const std::uint64_t zeroCode = lastCode & m[kZero] & ~afterDigit;
    const std::uint64_t zeroTerminator = zeroCode << 1;
    const std::uint64_t zeroEnd = (zeroTerminator & ends) | ((zeroTerminator << 1) & found.crlf);
    const std::uint64_t zeroValue = ((zeroEnd << 1) & (m[kActive] | cr | lf)) | (zeroEnd & (std::uint64_t{1} << 63));
    const std::uint64_t loud = (codeBytes & ~(digit | m[kBlank]))              // a sign, point, tab...
                               | (codeBytes & m[kBlank] & afterDigit)          // a blank after a digit
                               | (codeBytes & fiveDigits)                      // may not fit 16 bits
                               | (codeBytes & m[kZero] & ~afterDigit & beforeDigit) // a leading zero
                               | (lastCode & ~digit)                           // empty, or a blank last
                               | (codeEnds & 1)                                // empty, first
                               | zeroValue;                                    // a 0 before a value that matters
    // Everything before the first loud byte: it lies in a code line, so what is before it ends
    // with a whole pair. (For an empty code line the byte is the end of the line before it,
    // whose pair then is handed out too.)
    if (loud == 0) return {ends, false};
    return {ends & bitsBelowFirst(loud), true};
}

/// Spans of 64 bytes from `begin`, a code line: the lines of the quiet pairs up to the first
/// pair that is loud, or not whole in the bytes read, and where that pair starts.
template <PairMasks (*kClassify)(const char*)>
inline PassedOver quietRun(const char* data, std::size_t begin, std::size_t end) noexcept {
    std::int64_t lines = 0;
    std::size_t pos = begin;
    unsigned phase = 0;
    PassedOver whole{0, begin}; // up to the start of the last whole pair
    while (pos < end) {
        const SpanEnds span = quietEnds(kClassify(data + pos), end - pos, phase);
        std::uint64_t ends = span.ends;
        if (ends != 0) {
            const auto n = static_cast<unsigned>(__builtin_popcountll(ends));
            const std::size_t after = pos + static_cast<std::size_t>(64 - __builtin_clzll(ends));
            if (((phase + n) & 1) == 0) {
                whole = {lines + n, after};
            } else if (n >= 2 || phase == 1) {
                // The last line passed is a code line: its pair starts after the end before it.
                ends &= ~(std::uint64_t{1} << (63 - __builtin_clzll(ends)));
                whole = {lines + n - 1, ends != 0 ? pos + static_cast<std::size_t>(64 - __builtin_clzll(ends)) : pos};
            }
            lines += n;
            pos = after;
            phase = (phase + n) & 1;
        }
        if (span.loud || span.ends == 0) break;
    }
    return whole;
}

PairMasks pairBytesPortable(const char* p) noexcept { return byte_classes::classifyPortable<kPairBytes>(p); }

// Each run is one function, its classifier and quietEnds inlined (flatten).
__attribute__((flatten)) PassedOver quietRunPortable(const char* data, std::size_t begin, std::size_t end) {
    return quietRun<pairBytesPortable>(data, begin, end);
}

#if DXF2CSV_X86
PairMasks pairBytesSse2(const char* p) noexcept { return byte_classes::classifySse2<kPairBytes>(p); }

__attribute__((flatten)) PassedOver quietRunSse2(const char* data, std::size_t begin, std::size_t end) {
    return quietRun<pairBytesSse2>(data, begin, end);
}

__attribute__((target("avx2"))) PairMasks pairBytesAvx2(const char* p) noexcept {
    return byte_classes::classifyAvx2<kPairBytes>(p);
}

/// With the instructions of processors that have AVX2 (and so POPCNT and LZCNT).
__attribute__((target("avx2,popcnt,lzcnt,bmi"), flatten)) PassedOver quietRunAvx2(const char* data, std::size_t begin,
                                                                        std::size_t end) {
    return quietRun<pairBytesAvx2>(data, begin, end);
}
#endif

} // namespace

LineSkipper quietPairSkipper() noexcept {
    switch (widestInstructionSet()) {
#if DXF2CSV_X86
    case InstructionSet::Avx2: return quietRunAvx2;
    case InstructionSet::Sse2: return quietRunSse2;
#endif
    default: return quietRunPortable;
    }
}

} // namespace dxf2csv
