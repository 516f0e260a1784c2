#pragma once
// Which of the processor's vector instruction sets the byte classifiers use.

#include <cstdint>

namespace dxf2csv {

enum class InstructionSet : std::uint8_t {
    Portable, ///< plain C++, a byte at a time
    Sse2,     ///< 16 bytes at a time; every x86-64 processor has it
    Avx2,     ///< 32 bytes at a time
};

/// The widest set this processor has, no wider than a test allows.
InstructionSet widestInstructionSet() noexcept;

/// Readers and skippers made after this call use no set wider than `widest`, so that tests
/// reach every path on a processor that has them all.
void limitInstructionSetForTesting(InstructionSet widest) noexcept;

} // namespace dxf2csv
