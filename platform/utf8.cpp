#include "platform/utf8.h"

namespace dxf2csv {
namespace {

/// Length of the well-formed UTF-8 sequence at the start of `s`, or 0.
std::size_t utf8SequenceLength(std::string_view s) noexcept {
    const auto b0 = static_cast<unsigned char>(s[0]);
    if (b0 < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) length = 2;
    else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        if (b0 == 0xE0) low = 0xA0;
        if (b0 == 0xED) high = 0x9F; // no surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        if (b0 == 0xF0) low = 0x90;
        if (b0 == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (s.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < (i == 1 ? low : 0x80) || b > (i == 1 ? high : 0xBF)) return 0;
    }
    return length;
}

} // namespace

std::string utf8Of(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

char32_t codePointOf(std::string_view character) noexcept {
    const auto lead = static_cast<unsigned char>(character[0]);
    char32_t code = character.size() == 1 ? lead : lead & (0xFFu >> (character.size() + 1));
    for (std::size_t i = 1; i < character.size(); ++i) code = (code << 6) | (static_cast<unsigned char>(character[i]) & 0x3Fu);
    return code;
}

bool isValidUtf8(std::string_view bytes) noexcept {
    while (!bytes.empty()) {
        const std::size_t n = utf8SequenceLength(bytes);
        if (n == 0) return false;
        bytes.remove_prefix(n);
    }
    return true;
}

std::string sanitizeUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    while (!bytes.empty()) {
        const std::size_t n = utf8SequenceLength(bytes);
        if (n == 0) {
            out += kReplacementCharacter;
            bytes.remove_prefix(1);
        } else {
            out.append(bytes.data(), n);
            bytes.remove_prefix(n);
        }
    }
    return out;
}

} // namespace dxf2csv
