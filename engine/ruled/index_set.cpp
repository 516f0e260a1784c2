#include "ruled/index_set.h"

#include <bit>

namespace dxf2csv::ruled {
namespace {

constexpr std::size_t kWordBits = 64;
constexpr std::size_t kWordShift = 6;

std::uint64_t bitOf(std::size_t i) noexcept { return std::uint64_t{1} << (i % kWordBits); }

} // namespace

IndexSet::IndexSet(std::size_t bound) : bound_(bound) {
    std::size_t words = bound;
    do {
        words = (words + kWordBits - 1) / kWordBits;
        levels_.emplace_back(words == 0 ? 1 : words, 0);
    } while (words > 1);
}

bool IndexSet::contains(std::size_t i) const noexcept {
    return i < bound_ && (levels_[0][i >> kWordShift] & bitOf(i)) != 0;
}

void IndexSet::insert(std::size_t i) noexcept {
    for (auto& level : levels_) {
        std::uint64_t& word = level[i >> kWordShift];
        const bool wasEmpty = word == 0;
        word |= bitOf(i);
        if (!wasEmpty) return;
        i >>= kWordShift;
    }
}

void IndexSet::erase(std::size_t i) noexcept {
    for (auto& level : levels_) {
        std::uint64_t& word = level[i >> kWordShift];
        word &= ~bitOf(i);
        if (word != 0) return;
        i >>= kWordShift;
    }
}

std::size_t IndexSet::next(std::size_t i) const noexcept {
    if (i >= bound_) return bound_;
    std::size_t level = 0;
    std::size_t at = i; // a bit position on `level`
    for (;;) {
        const std::vector<std::uint64_t>& words = levels_[level];
        const std::size_t w = at >> kWordShift;
        if (w >= words.size()) return bound_;
        const std::uint64_t above = words[w] & (~std::uint64_t{0} << (at % kWordBits));
        if (above != 0) {
            at = (w << kWordShift) + static_cast<std::size_t>(std::countr_zero(above));
            break;
        }
        if (level + 1 == levels_.size()) return bound_;
        at = w + 1;
        ++level;
    }
    while (level > 0) {
        --level;
        at = (at << kWordShift) + static_cast<std::size_t>(std::countr_zero(levels_[level][at]));
    }
    return at;
}

std::size_t IndexSet::previous(std::size_t i) const noexcept {
    if (i == 0) return bound_;
    std::size_t level = 0;
    std::size_t at = (i > bound_ ? bound_ : i) - 1; // the largest candidate on `level`
    for (;;) {
        const std::size_t w = at >> kWordShift;
        const std::size_t bit = at % kWordBits;
        const std::uint64_t mask = bit == kWordBits - 1 ? ~std::uint64_t{0} : (std::uint64_t{1} << (bit + 1)) - 1;
        const std::uint64_t below = levels_[level][w] & mask;
        if (below != 0) {
            at = (w << kWordShift) + (kWordBits - 1 - static_cast<std::size_t>(std::countl_zero(below)));
            break;
        }
        if (w == 0 || level + 1 == levels_.size()) return bound_;
        at = w - 1;
        ++level;
    }
    while (level > 0) {
        --level;
        const std::uint64_t word = levels_[level][at];
        at = (at << kWordShift) + (kWordBits - 1 - static_cast<std::size_t>(std::countl_zero(word)));
    }
    return at;
}

} // namespace dxf2csv::ruled
