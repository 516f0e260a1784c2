#include "text_decoder.h"

#include <cerrno>
#include <charconv>
#include <iconv.h>

namespace dxf2csv {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr int kFirstUtf8Version = 1021; // AC1021, AutoCAD 2007

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

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
            out += kReplacement;
            bytes.remove_prefix(1);
        } else {
            out.append(bytes.data(), n);
            bytes.remove_prefix(n);
        }
    }
    return out;
}

void TextDecoder::setVersion(std::string_view acadver) {
    acadver = trimBlanks(acadver);
    int number = 0;
    if (acadver.size() > 2 && acadver.substr(0, 2) == "AC") {
        const char* end = acadver.data() + acadver.size();
        const auto [ptr, ec] = std::from_chars(acadver.data() + 2, end, number);
        if (ec != std::errc() || ptr != end) number = 0;
    }
    utf8_ = number >= kFirstUtf8Version;
}

void TextDecoder::setCodePage(std::string_view codePage) {
    codePage = trimBlanks(codePage);
    std::string_view digits;
    for (const std::string_view prefix : {"ANSI_", "ansi_", "DOS", "dos"}) {
        if (codePage.substr(0, prefix.size()) == prefix) {
            digits = codePage.substr(prefix.size());
            break;
        }
    }
    int number = 0;
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, number);
    codePage_.clear();
    if (digits.empty() || ec != std::errc() || ptr != end) return;
    std::string name = "CP" + std::to_string(number);
    const iconv_t probe = iconv_open("UTF-8", name.c_str());
    if (probe == reinterpret_cast<iconv_t>(-1)) return;
    iconv_close(probe);
    codePage_ = std::move(name);
}

std::string TextDecoder::toUtf8(std::string_view bytes) const {
    if (utf8_) return sanitizeUtf8(bytes);
    if (!codePage_.empty()) return convert(bytes, codePage_.c_str());
    if (isValidUtf8(bytes)) return std::string(bytes);
    return convert(bytes, "CP932");
}

std::string TextDecoder::convert(std::string_view bytes, const char* charset) const {
    const iconv_t cd = iconv_open("UTF-8", charset);
    if (cd == reinterpret_cast<iconv_t>(-1)) return sanitizeUtf8(bytes);
    std::string out;
    char chunk[256];
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* outPtr = chunk;
        std::size_t outLeft = sizeof chunk;
        const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
        if (rc != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // An invalid or cut-off sequence: show one replacement and go on after its first byte.
        out += kReplacement;
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

} // namespace dxf2csv
