#include "code_pages.h"

#include <cerrno>
#include <iconv.h>

namespace dxf2csv::platform {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

std::string iconvName(int page) { return "CP" + std::to_string(page); }

iconv_t openToUtf8(int page) { return iconv_open("UTF-8", iconvName(page).c_str()); }

bool opened(iconv_t cd) { return cd != reinterpret_cast<iconv_t>(-1); }

} // namespace

bool codePageAvailable(int page) {
    const iconv_t cd = openToUtf8(page);
    if (!opened(cd)) return false;
    iconv_close(cd);
    return true;
}

std::optional<std::string> codePageToUtf8(int page, std::string_view bytes) {
    const iconv_t cd = openToUtf8(page);
    if (!opened(cd)) return std::nullopt;
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
        // An invalid or cut-off sequence: one replacement, and on after its first byte.
        out += kReplacement;
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

std::optional<std::string> utf8ToCodePage(int page, std::string_view text, std::size_t& unmappable) {
    const iconv_t cd = iconv_open(iconvName(page).c_str(), "UTF-8");
    if (!opened(cd)) {
        unmappable = text.size();
        return std::nullopt;
    }
    std::string out;
    char chunk[256];
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = chunk;
        std::size_t outLeft = sizeof chunk;
        const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
        if (rc != static_cast<std::size_t>(-1)) {
            // Characters converted only "approximately" count as having none in the page.
            if (rc > 0) {
                ok = false;
                unmappable = 0;
            }
            break;
        }
        if (errno == E2BIG) continue;
        ok = false;
        unmappable = static_cast<std::size_t>(in - text.data());
        break;
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    return out;
}

} // namespace dxf2csv::platform
