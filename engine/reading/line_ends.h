#pragma once
// Where lines end in a 64-byte block: the CR and LF bytes, and the bit algebra that turns them
// into terminators. Shared by the line reader and by the scanner that passes over quiet pairs.

#include "reading/byte_classes.h"

#include <array>
#include <cstdint>

namespace dxf2csv {

/// The two classes: CR (mask 0) and LF (mask 1).
inline constexpr std::array<ByteSet, 2> kLineEndBytes = {ByteSet::of("\r"), ByteSet::of("\n")};

/// The terminators of a block, from its CR and LF bytes (bit i stands for byte i).
struct LineEnds {
    std::uint64_t ends; ///< the last byte of each terminator: an LF, or a CR that no LF follows
    std::uint64_t crlf; ///< the LFs that complete a CR LF: their line's text ends a byte earlier
};

/// `crBefore`: the byte before the block is a CR, so an LF in byte 0 completes a CR LF.
/// `lfAfter`: the byte after the block is an LF, so a CR in byte 63 ends nothing itself.
///
/// "the byte before" is a shift left by one (bit i moves to i + 1), "the byte after" a shift
/// right. For the bytes "a\r\nb\rc\n" (bits 0..6): cr = 0b0010010, lf = 0b1000100;
/// crlf = lf & (cr << 1) = 0b0000100, the LF after the CR at 1; a CR is an end when the byte
/// after it is no LF: cr & ~(lf >> 1) = 0b0010000; ends = 0b1010100, the LF at 2, the CR at 4
/// and the LF at 6.
constexpr LineEnds lineEnds(std::uint64_t cr, std::uint64_t lf, bool crBefore, bool lfAfter) noexcept {
    const std::uint64_t crlf = lf & ((cr << 1) | std::uint64_t{crBefore});
    const std::uint64_t crBeforeLf = cr & ((lf >> 1) | (std::uint64_t{lfAfter} << 63));
    return {lf | (cr & ~crBeforeLf), crlf};
}

/// Bits 0..n-1: the first n bytes of a block (all 64 when n is 64 or more).
constexpr std::uint64_t firstBytes(std::size_t n) noexcept {
    return n >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << n) - 1;
}

} // namespace dxf2csv
