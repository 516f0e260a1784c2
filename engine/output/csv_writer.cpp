#include "output/csv_writer.h"

#include "messages/run_failure.h"
#include "platform/code_pages.h"
#include "platform/utf8.h"
#include "reading/text_view.h"
#include "text/text_decoder.h"

#include <cstdio>

namespace dxf2csv {
namespace {


/// The UTF-8 character at the start of `text`, and its code point written "U+XXXX".
std::pair<std::string, std::string> characterAt(std::string_view text) {
    const std::string_view character = text.substr(0, utf8Length(static_cast<unsigned char>(text[0])));
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(codePointOf(character)));
    return {std::string(character), name};
}

} // namespace

std::optional<CsvEncoding> csvEncodingNamed(std::string_view name) {
    const std::string lower = asciiLowerCase(name);
    if (lower == "drawing") return CsvEncoding::Drawing;
    if (lower == "utf-8" || lower == "utf8") return CsvEncoding::Utf8;
    if (lower == "utf-8-bom" || lower == "utf8-bom") return CsvEncoding::Utf8Bom;
    if (lower == "cp932" || lower == "shift_jis" || lower == "sjis") return CsvEncoding::Cp932;
    return std::nullopt;
}

std::string_view CellEncoder::encode(const FieldValue& cell) {
    if (encoding_ == CsvEncoding::Drawing) return cell.text();
    encoded_ = decoder_.decode(cell.text());
    if (encoding_ == CsvEncoding::Cp932) toCodePage(platform::kShiftJis, cell.line());
    return encoded_;
}

std::string_view CellEncoder::encodeShown(std::string_view shown, std::int64_t line) {
    encoded_.assign(shown);
    if (encoding_ == CsvEncoding::Cp932) {
        toCodePage(platform::kShiftJis, line);
    } else if (encoding_ == CsvEncoding::Drawing) {
        if (const auto page = decoder_.storedCodePage()) toCodePage(*page, line);
    }
    return encoded_;
}

void CellEncoder::toCodePage(int page, std::int64_t line) {
    std::size_t unmappable = 0;
    auto bytes = platform::utf8ToCodePage(page, encoded_, unmappable);
    if (!bytes) {
        const auto [character, code] = characterAt(std::string_view(encoded_).substr(unmappable));
        if (page == platform::kShiftJis)
            throw RunFailure(FailureKind::NotInCodePage, file_, line, Detail::NotInCp932, {quoteText(character), code});
        throw RunFailure(FailureKind::NotInDrawingCodePage, file_, line, Detail::NotInPage,
                         {quoteText(character), code, std::to_string(page)});
    }
    encoded_ = std::move(*bytes);
}

std::string_view CellEncoder::preamble() const noexcept {
    return encoding_ == CsvEncoding::Utf8Bom ? kUtf8ByteOrderMark : std::string_view();
}

void appendCsvField(std::string& line, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        line += field;
        return;
    }
    line += '"';
    for (const char c : field) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
}

} // namespace dxf2csv
