#include "text/text_codes.h"

#include "platform/code_pages.h"
#include "platform/utf8.h"

#include <array>
#include <optional>

namespace dxf2csv {
namespace {

// \M+n: the multi-byte code pages, by n.
constexpr std::array<int, 5> kMultiBytePages = {932, 950, 949, 1361, 936};

constexpr std::string_view kDiameter = "φ";
constexpr std::string_view kDegree = "°";
constexpr std::string_view kPlusMinus = "±";

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = lower(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

/// The four hexadecimal digits at the start of `s`, or nothing.
std::optional<unsigned> hex4(std::string_view s) {
    if (s.size() < 4) return std::nullopt;
    unsigned value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const int d = hexDigit(s[i]);
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(d);
    }
    return value;
}

/// `bytes` of `page` when they are exactly one character of it (not NUL).
std::optional<std::string> characterOf(int page, std::string_view bytes) {
    auto text = platform::codePageToUtf8(page, bytes);
    if (!text || text->empty() || (*text)[0] == '\0' || *text == kReplacementCharacter) return std::nullopt;
    if (utf8Length(static_cast<unsigned char>((*text)[0])) != text->size()) return std::nullopt;
    return text;
}

/// A decoded code: what it stands for and how many bytes of the text it took.
struct Decoded {
    std::string text;
    std::size_t length = 0;
};

/// \U+XXXX, or a surrogate pair of them, at the start of `s` (which begins with "\U").
std::optional<Decoded> unicodeCode(std::string_view s) {
    if (s.size() < 3 || s[2] != '+') return std::nullopt;
    const auto first = hex4(s.substr(3));
    if (!first || *first == 0) return std::nullopt;
    if (*first >= 0xDC00 && *first <= 0xDFFF) return std::nullopt; // a low half alone
    if (*first < 0xD800 || *first > 0xDBFF) return Decoded{utf8Of(static_cast<char32_t>(*first)), 7};
    // A high half: the low half must follow as a code of its own.
    if (s.size() < 14 || s[7] != '\\' || lower(s[8]) != 'u' || s[9] != '+') return std::nullopt;
    const auto second = hex4(s.substr(10));
    if (!second || *second < 0xDC00 || *second > 0xDFFF) return std::nullopt;
    const auto c = static_cast<char32_t>(0x10000 + ((*first - 0xD800) << 10) + (*second - 0xDC00));
    return Decoded{utf8Of(c), 14};
}

/// \M+nXXXX at the start of `s` (which begins with "\M").
std::optional<Decoded> multiByteCode(std::string_view s) {
    if (s.size() < 8 || s[2] != '+' || s[3] < '1' || s[3] > '5') return std::nullopt;
    const auto bytes = hex4(s.substr(4));
    if (!bytes) return std::nullopt;
    const char pair[2] = {static_cast<char>(*bytes >> 8), static_cast<char>(*bytes & 0xFF)};
    const auto text = characterOf(kMultiBytePages[static_cast<std::size_t>(s[3] - '1')], std::string_view(pair, 2));
    if (!text) return std::nullopt;
    return Decoded{*text, 8};
}

/// %%x or %%nnn at the start of `s` (which begins with "%%").
std::optional<Decoded> percentCode(std::string_view s, int codePage) {
    if (s.size() < 3) return std::nullopt;
    switch (lower(s[2])) {
    case 'c': return Decoded{std::string(kDiameter), 3};
    case 'd': return Decoded{std::string(kDegree), 3};
    case 'p': return Decoded{std::string(kPlusMinus), 3};
    case '%': return Decoded{"%", 3};
    case 'u':
    case 'o':
    case 'k': return Decoded{"", 3};
    default: break;
    }
    if (s.size() < 5) return std::nullopt;
    int number = 0;
    for (std::size_t i = 2; i < 5; ++i) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        number = number * 10 + (s[i] - '0');
    }
    if (number == 0 || number > 255) return std::nullopt;
    const char byte = static_cast<char>(number);
    const auto text = characterOf(codePage, std::string_view(&byte, 1));
    if (!text) return std::nullopt;
    return Decoded{*text, 5};
}

} // namespace

std::string decodeTextCodes(std::string_view text, int codePage) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::string_view rest = text.substr(i);
        std::optional<Decoded> code;
        if (rest.size() >= 2 && rest[0] == '\\') {
            const char letter = lower(rest[1]);
            if (letter == 'u') code = unicodeCode(rest);
            if (letter == 'm') code = multiByteCode(rest);
        } else if (rest.size() >= 2 && rest[0] == '%' && rest[1] == '%') {
            code = percentCode(rest, codePage);
        }
        if (code) {
            out += code->text;
            i += code->length;
        } else {
            out += text[i];
            ++i;
        }
    }
    return out;
}

} // namespace dxf2csv
