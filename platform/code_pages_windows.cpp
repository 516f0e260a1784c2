#include "platform/code_pages.h"

#include "platform/utf8.h"
#include "platform/wide_text_windows.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

namespace dxf2csv::platform {
namespace {


/// The pages that the Linux build's converter (glibc's iconv) knows by the name CP<n>: a page
/// outside this list is not read there, so it is not read here either, and a drawing that
/// names one is read alike on both systems.
constexpr int kSharedPages[] = {
    273,  274,  275,  278,  280,  281,  282,  284,  285,  290,  297,  367,  420,  423,  424,  437,
    500,  737,  770,  771,  772,  773,  774,  775,  803,  813,  819,  850,  851,  852,  855,  856,  857,  858,
    860,  861,  862,  863,  864,  865,  866,  868,  869,  870,  871,  874,  875,  880,  891,  901,  902,  903,
    904,  905,  912,  915,  916,  918,  920,  921,  922,  930,  932,  933,  935,  936,  937,  939,  949,  950,
    1004, 1008, 1025, 1026, 1046, 1047, 1070, 1079, 1081, 1084, 1089, 1097, 1112, 1122, 1123, 1124, 1125, 1129,
    1130, 1132, 1133, 1137, 1140, 1141, 1142, 1143, 1144, 1145, 1146, 1147, 1148, 1149, 1153, 1154, 1155, 1156,
    1157, 1158, 1160, 1161, 1162, 1163, 1164, 1166, 1167, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258,
    1282, 1361, 1364, 1371, 1388, 1390, 1399, 4517, 4899, 4909, 4971, 5347, 9030, 9066, 9448, 10007, 12712, 16804};

/// Bytes that Windows' tables give a character but glibc's do not: the Linux build shows them
/// as U+FFFD, and so does this one. Windows fills the holes of these pages with the C1
/// control of the same number or with private-use characters (CP932 0x80 gives U+0080), and
/// maps the user-defined double-byte areas of the Chinese and Korean pages to private use,
/// where glibc maps only CP932's and CP950's rows 0xC6..0xC8.
bool windowsOnlyCharacter(int page, std::string_view unit, wchar_t c) {
    if (unit.size() == 2) {
        const auto lead = static_cast<unsigned char>(unit[0]);
        const bool sharedPrivateUse = page == 932 || (page == 950 && lead >= 0xC6 && lead <= 0xC8);
        return !sharedPrivateUse && c >= 0xE000 && c <= 0xF8FF;
    }
    if (unit.size() != 1) return false;
    const auto byte = static_cast<unsigned char>(unit[0]);
    if (c >= 0xF8F0 && c <= 0xF8FF) return true; // CP932 0xA0, 0xFD..0xFF and their kind
    if (c == byte && byte >= 0x80 && byte <= 0x9F) return !(page == 950 && byte == 0x80);
    return false;
}

/// MultiByteToWideChar that refuses bytes without a character where the page allows it.
int toWide(int page, std::string_view bytes, wchar_t* out, int outSize) {
    const auto codePage = static_cast<UINT>(page);
    const int size = static_cast<int>(bytes.size());
    const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, out, outSize);
    if (n == 0 && GetLastError() == ERROR_INVALID_FLAGS) // pages that take no flags
        return MultiByteToWideChar(codePage, 0, bytes.data(), size, out, outSize);
    return n;
}

/// How many bytes the character at the start of `bytes` takes in `page`: two after a lead
/// byte of a double-byte page, one otherwise.
std::size_t unitSize(int page, std::string_view bytes) {
    if (bytes.size() >= 2 && IsDBCSLeadByteEx(static_cast<UINT>(page), static_cast<BYTE>(bytes[0]))) return 2;
    return 1;
}

} // namespace

bool codePageAvailable(int page) {
    return std::find(std::begin(kSharedPages), std::end(kSharedPages), page) != std::end(kSharedPages) &&
           IsValidCodePage(static_cast<UINT>(page));
}

std::optional<std::string> codePageToUtf8(int page, std::string_view bytes) {
    if (!codePageAvailable(page)) return std::nullopt;
    // One character at a time, so that a byte that begins none shows as one U+FFFD and the
    // conversion goes on with the next byte, as glibc's does.
    std::string out;
    std::wstring wide;
    while (!bytes.empty()) {
        std::size_t size = unitSize(page, bytes);
        wchar_t chars[4];
        int n = toWide(page, bytes.substr(0, size), chars, 4);
        if (n <= 0 && size == 2) { // a lead byte whose trail byte is none: the lead alone fails
            size = 1;
            n = 0;
        }
        if (n == 1 && windowsOnlyCharacter(page, bytes.substr(0, size), chars[0])) n = 0;
        if (n <= 0) {
            out += narrow(wide);
            wide.clear();
            out += kReplacementCharacter;
            bytes.remove_prefix(1);
            continue;
        }
        wide.append(chars, static_cast<std::size_t>(n));
        bytes.remove_prefix(size);
    }
    out += narrow(wide);
    return out;
}

std::optional<std::string> utf8ToCodePage(int page, std::string_view text, std::size_t& unmappable) {
    if (!codePageAvailable(page)) {
        unmappable = text.size();
        return std::nullopt;
    }
    const auto codePage = static_cast<UINT>(page);
    // Character by character, so that the first one the page lacks is found by its offset. No
    // best fit: a character the page lacks is refused, not replaced by a look-alike.
    std::string out;
    std::size_t offset = 0;
    while (offset < text.size()) {
        const auto lead = static_cast<unsigned char>(text[offset]);
        const std::size_t size = utf8Length(lead);
        wchar_t wide[2];
        const int wideSize = offset + size <= text.size()
                                 ? MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data() + offset,
                                                       static_cast<int>(size), wide, 2)
                                 : 0;
        char bytes[8];
        BOOL usedDefault = FALSE;
        int n = 0;
        if (wideSize > 0) {
            n = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide, wideSize, bytes, sizeof bytes, nullptr, &usedDefault);
            if (n == 0 && GetLastError() == ERROR_INVALID_PARAMETER) // pages that take no flags
                n = WideCharToMultiByte(codePage, 0, wide, wideSize, bytes, sizeof bytes, nullptr, nullptr);
        }
        // A character converts only when it comes back as itself.
        wchar_t back[4];
        const bool roundTrip = n > 0 && !usedDefault && toWide(page, std::string_view(bytes, static_cast<std::size_t>(n)), back, 4) == wideSize &&
                               std::equal(wide, wide + wideSize, back) &&
                               !windowsOnlyCharacter(page, std::string_view(bytes, static_cast<std::size_t>(n)), back[0]);
        if (!roundTrip) {
            unmappable = offset;
            return std::nullopt;
        }
        out.append(bytes, static_cast<std::size_t>(n));
        offset += size;
    }
    return out;
}

} // namespace dxf2csv::platform
