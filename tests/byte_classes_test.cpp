// Each instruction set's classifier against the classes' own definition, byte by byte.

#include "reading/byte_classes.h"
#include "reading/line_ends.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace dxf2csv {
namespace {

// Few runs (compared one by one) and many (looked up by the bytes' halves), with values in
// several rows of 16 and above 0x7F.
constexpr std::array<ByteSet, 5> kManyClasses = {ByteSet::range('0', '9'), ByteSet::of(" \t"), ByteSet::of("TESG"),
                                                 ByteSet::range('\x80', '\x9F'), ByteSet::of("\r")};

template <const auto& kSets>
ClassMasks<byte_classes::kCount<kSets>> expectedClasses(const char* p) {
    ClassMasks<byte_classes::kCount<kSets>> masks{};
    for (std::size_t k = 0; k < masks.size(); ++k)
        for (unsigned i = 0; i < 64; ++i)
            if (kSets[k].has[static_cast<unsigned char>(p[i])]) masks[k] |= std::uint64_t{1} << i;
    return masks;
}

#if DXF2CSV_X86
__attribute__((target("avx2"))) ClassMasks<2> lineEndsAvx2(const char* p) {
    return byte_classes::classifyAvx2<kLineEndBytes>(p);
}
__attribute__((target("avx2"))) ClassMasks<5> manyAvx2(const char* p) {
    return byte_classes::classifyAvx2<kManyClasses>(p);
}
#endif

TEST(ByteClasses, EveryClassifierAgreesWithTheClassesOnEveryByte) {
    // Blocks of every byte value in turn, and random ones.
    std::vector<std::string> blocks;
    for (int first = 0; first < 256; first += 64) {
        std::string block;
        for (int c = first; c < first + 64; ++c) block += static_cast<char>(c);
        blocks.push_back(block);
    }
    unsigned seed = 17;
    for (int round = 0; round < 200; ++round) {
        std::string block;
        for (int i = 0; i < 64; ++i) {
            seed = seed * 1103515245u + 12345u;
            block += static_cast<char>(seed >> 16);
        }
        blocks.push_back(block);
    }
    const bool avx2 = widestInstructionSet() == InstructionSet::Avx2;
    for (const std::string& block : blocks) {
        const char* p = block.data();
        EXPECT_EQ(byte_classes::classifyPortable<kLineEndBytes>(p), expectedClasses<kLineEndBytes>(p));
        EXPECT_EQ(byte_classes::classifyPortable<kManyClasses>(p), expectedClasses<kManyClasses>(p));
#if DXF2CSV_X86
        EXPECT_EQ(byte_classes::classifySse2<kLineEndBytes>(p), expectedClasses<kLineEndBytes>(p));
        EXPECT_EQ(byte_classes::classifySse2<kManyClasses>(p), expectedClasses<kManyClasses>(p));
        if (avx2) {
            EXPECT_EQ(lineEndsAvx2(p), expectedClasses<kLineEndBytes>(p));
            EXPECT_EQ(manyAvx2(p), expectedClasses<kManyClasses>(p));
        }
#endif
    }
    (void)avx2;
}

} // namespace
} // namespace dxf2csv
