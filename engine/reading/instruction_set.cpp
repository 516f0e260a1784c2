#include "reading/instruction_set.h"

namespace dxf2csv {
namespace {

InstructionSet g_limit = InstructionSet::Avx2;

InstructionSet processorSet() noexcept {
#if defined(__x86_64__)
    return __builtin_cpu_supports("avx2") ? InstructionSet::Avx2 : InstructionSet::Sse2;
#else
    return InstructionSet::Portable;
#endif
}

} // namespace

InstructionSet widestInstructionSet() noexcept {
    const InstructionSet available = processorSet();
    return available < g_limit ? available : g_limit;
}

void limitInstructionSetForTesting(InstructionSet widest) noexcept { g_limit = widest; }

} // namespace dxf2csv
