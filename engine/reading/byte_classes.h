#pragma once
// Sorts the 64 bytes of a block into classes (CR, LF, digits, ...), one bit per byte and class,
// with one classifier per instruction set. A scanner declares the classes it needs once, as
// sets of byte values; each classifier derives what it compares from that declaration, so the
// instruction sets cannot disagree about a class.

#include "reading/instruction_set.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>
#include <utility>

#if defined(__x86_64__)
#include <immintrin.h>
#define DXF2CSV_X86 1
#endif

namespace dxf2csv {

/// A set of byte values.
struct ByteSet {
    std::array<bool, 256> has{};

    /// The bytes of `bytes`.
    static constexpr ByteSet of(std::string_view bytes) {
        ByteSet set;
        for (const char c : bytes) set.has[static_cast<unsigned char>(c)] = true;
        return set;
    }
    /// `first`..`last`, both included.
    static constexpr ByteSet range(char first, char last) {
        ByteSet set;
        for (int c = static_cast<unsigned char>(first); c <= static_cast<unsigned char>(last); ++c)
            set.has[static_cast<std::size_t>(c)] = true;
        return set;
    }
};

/// Bit i of mask k: byte p[i] of the block lies in class k.
template <std::size_t N>
using ClassMasks = std::array<std::uint64_t, N>;

namespace byte_classes {

template <const auto& kSets>
inline constexpr std::size_t kCount = std::tuple_size_v<std::remove_cvref_t<decltype(kSets)>>;

/// A set as its runs of consecutive values: a vector unit tests a run with one comparison
/// (one value) or two (a range).
struct Runs {
    std::array<std::pair<int, int>, 32> run{}; ///< first and last value of each run
    std::size_t count = 0;
};

constexpr Runs runsOf(const ByteSet& set) {
    Runs runs;
    for (int c = 0; c < 256; ++c) {
        if (!set.has[static_cast<std::size_t>(c)]) continue;
        if (runs.count > 0 && runs.run[runs.count - 1].second == c - 1) {
            runs.run[runs.count - 1].second = c;
        } else {
            runs.run[runs.count++] = {c, c};
        }
    }
    return runs;
}

template <const auto& kSets, std::size_t K>
inline constexpr Runs kRuns = runsOf(kSets[K]);

template <const auto& kSets>
constexpr std::size_t totalRuns() {
    std::size_t total = 0;
    for (const ByteSet& set : kSets) total += runsOf(set).count;
    return total;
}

/// Bit k of entry c: byte value c lies in class k (the portable classifier's table).
template <std::size_t N>
constexpr std::array<std::uint8_t, 256> membership(const std::array<ByteSet, N>& sets) {
    static_assert(N <= 8, "a byte holds eight classes");
    std::array<std::uint8_t, 256> table{};
    for (std::size_t k = 0; k < N; ++k)
        for (std::size_t c = 0; c < 256; ++c)
            if (sets[k].has[c]) table[c] = static_cast<std::uint8_t>(table[c] | 1u << k);
    return table;
}

/// Two 16-entry tables, looked up by a byte's high and its low half: the bits the two entries
/// have in common are the byte's classes (the lookup is one shuffle instruction each).
///
/// Each class gets one bit per row of 16 values (one high half) it has members in, set in the
/// high table at that row and in the low table at the members' low halves. A byte then has the
/// bit exactly when it lies in that row and its low half is a member's. Worked example, the
/// class {'E', 'G', 'S', 'T'}: 'E' 0x45 and 'G' 0x47 lie in row 4, 'S' 0x53 and 'T' 0x54 in
/// row 5, so the class takes two bits, a and b: high[4] = a, high[5] = b; low[5] = low[7] = a,
/// low[3] = low[4] = b. 'G' 0x47 gives high[4] & low[7] = a; 'C' 0x43 gives high[4] & low[3]
/// = a & b = 0; 'U' 0x55 gives high[5] & low[5] = b & a = 0. One bit for both rows would take in
/// 'C', 'D', 'U' and 'W' as well.
struct NibbleTables {
    std::array<std::uint8_t, 16> high{};
    std::array<std::uint8_t, 16> low{};
    std::array<std::uint8_t, 8> bitsOf{}; ///< the bits that make up class k
    int bits = 0;
};

template <std::size_t N>
constexpr NibbleTables nibbleTables(const std::array<ByteSet, N>& sets) {
    NibbleTables t;
    for (std::size_t k = 0; k < N; ++k) {
        for (std::size_t row = 0; row < 16; ++row) {
            unsigned lows = 0;
            for (std::size_t l = 0; l < 16; ++l)
                if (sets[k].has[row * 16 + l]) lows |= 1u << l;
            if (lows == 0) continue;
            const auto bit = static_cast<std::uint8_t>(1u << (t.bits++ & 7));
            t.high[row] = static_cast<std::uint8_t>(t.high[row] | bit);
            for (std::size_t l = 0; l < 16; ++l)
                if ((lows >> l) & 1) t.low[l] = static_cast<std::uint8_t>(t.low[l] | bit);
            t.bitsOf[k] = static_cast<std::uint8_t>(t.bitsOf[k] | bit);
        }
    }
    return t;
}

/// True when the tables give every byte exactly its classes.
template <std::size_t N>
constexpr bool exact(const NibbleTables& t, const std::array<ByteSet, N>& sets) {
    if (t.bits > 8) return false;
    for (std::size_t c = 0; c < 256; ++c)
        for (std::size_t k = 0; k < N; ++k)
            if (((t.high[c >> 4] & t.low[c & 15] & t.bitsOf[k]) != 0) != sets[k].has[c]) return false;
    return true;
}

template <const auto& kSets>
inline constexpr NibbleTables kNibbles = nibbleTables(kSets);

// ---- Portable: one byte at a time, by a table.

template <const auto& kSets>
inline ClassMasks<kCount<kSets>> classifyPortable(const char* p) noexcept {
    static constexpr auto table = membership(kSets);
    ClassMasks<kCount<kSets>> masks{};
    for (unsigned i = 0; i < 64; ++i) {
        const unsigned bits = table[static_cast<unsigned char>(p[i])];
        for (std::size_t k = 0; k < kCount<kSets>; ++k) masks[k] |= std::uint64_t{(bits >> k) & 1u} << i;
    }
    return masks;
}

#if DXF2CSV_X86

// ---- SSE2: 16 bytes at a time, a comparison per run of values.

/// 0xFF where c lies in first..last: a value equals itself clamped to the range only inside it.
template <int kFirst, int kLast>
inline __m128i inRunSse2(__m128i c) noexcept {
    if constexpr (kFirst == kLast) {
        return _mm_cmpeq_epi8(c, _mm_set1_epi8(static_cast<char>(kFirst)));
    } else {
        const __m128i clamped = _mm_min_epu8(_mm_max_epu8(c, _mm_set1_epi8(static_cast<char>(kFirst))),
                                             _mm_set1_epi8(static_cast<char>(kLast)));
        return _mm_cmpeq_epi8(clamped, c);
    }
}

template <const auto& kSets, std::size_t K, std::size_t... R>
inline std::uint64_t inSetSse2(__m128i c, std::index_sequence<R...>) noexcept {
    __m128i any = _mm_setzero_si128();
    ((any = _mm_or_si128(any, inRunSse2<kRuns<kSets, K>.run[R].first, kRuns<kSets, K>.run[R].second>(c))), ...);
    return static_cast<std::uint32_t>(_mm_movemask_epi8(any));
}

template <const auto& kSets, std::size_t... K>
inline void addSse2(ClassMasks<kCount<kSets>>& masks, __m128i c, unsigned shift, std::index_sequence<K...>) noexcept {
    ((masks[K] |= inSetSse2<kSets, K>(c, std::make_index_sequence<kRuns<kSets, K>.count>{}) << shift), ...);
}

template <const auto& kSets>
inline ClassMasks<kCount<kSets>> classifySse2(const char* p) noexcept {
    ClassMasks<kCount<kSets>> masks{};
    for (unsigned part = 0; part < 4; ++part) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
        addSse2<kSets>(masks, c, 16 * part, std::make_index_sequence<kCount<kSets>>{});
    }
    return masks;
}

// ---- AVX2: 32 bytes at a time; a comparison per run for a few runs, else two table lookups
// by the bytes' halves (NibbleTables).

#define DXF2CSV_AVX2 __attribute__((target("avx2"), always_inline))

template <int kFirst, int kLast>
DXF2CSV_AVX2 inline __m256i inRunAvx2(__m256i c) noexcept {
    if constexpr (kFirst == kLast) {
        return _mm256_cmpeq_epi8(c, _mm256_set1_epi8(static_cast<char>(kFirst)));
    } else {
        const __m256i clamped = _mm256_min_epu8(_mm256_max_epu8(c, _mm256_set1_epi8(static_cast<char>(kFirst))),
                                                _mm256_set1_epi8(static_cast<char>(kLast)));
        return _mm256_cmpeq_epi8(clamped, c);
    }
}

template <const auto& kSets, std::size_t K, std::size_t... R>
DXF2CSV_AVX2 inline std::uint64_t inSetAvx2(__m256i c, std::index_sequence<R...>) noexcept {
    __m256i any = _mm256_setzero_si256();
    ((any = _mm256_or_si256(any, inRunAvx2<kRuns<kSets, K>.run[R].first, kRuns<kSets, K>.run[R].second>(c))), ...);
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(any));
}

/// The high or the low nibble table twice over, as the shuffle instruction looks it up in each
/// 16-byte lane.
template <const auto& kSets, bool kHigh, std::size_t... I>
DXF2CSV_AVX2 inline __m256i tableAvx2(std::index_sequence<I...>) noexcept {
    constexpr const NibbleTables& t = kNibbles<kSets>;
    return _mm256_setr_epi8(static_cast<char>(kHigh ? t.high[I % 16] : t.low[I % 16])...);
}

template <const auto& kSets, std::size_t... K>
DXF2CSV_AVX2 inline void addAvx2(ClassMasks<kCount<kSets>>& masks, __m256i c, unsigned shift,
                                 std::index_sequence<K...>) noexcept {
    if constexpr (totalRuns<kSets>() <= 4) {
        ((masks[K] |= inSetAvx2<kSets, K>(c, std::make_index_sequence<kRuns<kSets, K>.count>{}) << shift), ...);
    } else {
        static_assert(exact(kNibbles<kSets>, kSets), "the classes do not fit the nibble tables");
        const __m256i nibble = _mm256_set1_epi8(0x0F);
        const __m256i high = tableAvx2<kSets, true>(std::make_index_sequence<32>{});
        const __m256i low = tableAvx2<kSets, false>(std::make_index_sequence<32>{});
        const __m256i classes = _mm256_and_si256(_mm256_shuffle_epi8(high, _mm256_and_si256(_mm256_srli_epi16(c, 4), nibble)),
                                                 _mm256_shuffle_epi8(low, _mm256_and_si256(c, nibble)));
        const __m256i none = _mm256_setzero_si256();
        // A byte is in class k when it has any of the class's bits: not (classes & bits) == 0.
        ((masks[K] |= std::uint64_t{~static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(
                          _mm256_and_si256(classes, _mm256_set1_epi8(static_cast<char>(kNibbles<kSets>.bitsOf[K]))), none)))}
                      << shift),
         ...);
    }
}

template <const auto& kSets>
DXF2CSV_AVX2 inline ClassMasks<kCount<kSets>> classifyAvx2(const char* p) noexcept {
    ClassMasks<kCount<kSets>> masks{};
    for (unsigned part = 0; part < 2; ++part) {
        const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 * part));
        addAvx2<kSets>(masks, c, 32 * part, std::make_index_sequence<kCount<kSets>>{});
    }
    return masks;
}

#undef DXF2CSV_AVX2

#endif // DXF2CSV_X86

} // namespace byte_classes

} // namespace dxf2csv
