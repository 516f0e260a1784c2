#include "text/text_decoder.h"

#include "platform/code_pages.h"
#include "platform/utf8.h"
#include "reading/text_view.h"
#include "text/text_codes.h"

#include <charconv>

namespace dxf2csv {
namespace {

constexpr int kFirstUtf8Version = 1021; // AC1021, AutoCAD 2007

std::string fromCodePage(int page, std::string_view bytes) {
    auto text = platform::codePageToUtf8(page, bytes);
    return text ? std::move(*text) : sanitizeUtf8(bytes);
}

} // namespace

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
        if (startsWith(codePage, prefix)) {
            digits = codePage.substr(prefix.size());
            break;
        }
    }
    int number = 0;
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, number);
    codePage_ = 0;
    if (digits.empty() || ec != std::errc() || ptr != end || number <= 0) return;
    if (platform::codePageAvailable(number)) codePage_ = number;
}

std::string TextDecoder::toUtf8(std::string_view bytes) const {
    if (utf8_) return sanitizeUtf8(bytes);
    if (codePage_ != 0) return fromCodePage(codePage_, bytes);
    if (isValidUtf8(bytes)) return std::string(bytes);
    return fromCodePage(platform::kShiftJis, bytes);
}

std::optional<int> TextDecoder::storedCodePage() const {
    if (utf8_) return std::nullopt;
    return codePageForCodes();
}

int TextDecoder::codePageForCodes() const {
    // %%nnn names a character of the drawing's code page; without one, of Shift-JIS, as the
    // report reads such a drawing.
    return codePage_ != 0 ? codePage_ : platform::kShiftJis;
}

std::string TextDecoder::decode(std::string_view bytes) const {
    return decodeTextCodes(toUtf8(bytes), codePageForCodes());
}

} // namespace dxf2csv
