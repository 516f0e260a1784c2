#include "platform/code_pages.h"

#include "platform/utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cerrno>
#include <iconv.h>

namespace dxf2csv::platform {
namespace {

std::string iconvName(int page) { return "CP" + std::to_string(page); }

iconv_t openToUtf8(int page) { return iconv_open("UTF-8", iconvName(page).c_str()); }

iconv_t openFromUtf8(int page) { return iconv_open(iconvName(page).c_str(), "UTF-8"); }

bool opened(iconv_t cd) { return cd != reinterpret_cast<iconv_t>(-1); }

/// The converter of the last page asked for, kept open for the thread's next text: opening
/// one costs far more than converting a text of a drawing or a cell (tens of bytes), and a
/// drawing's texts are all of one page.
class KeptConverter {
public:
    explicit KeptConverter(iconv_t (*open)(int page)) : open_(open) {}
    KeptConverter(const KeptConverter&) = delete;
    KeptConverter& operator=(const KeptConverter&) = delete;
    ~KeptConverter() {
        if (opened(cd_)) iconv_close(cd_);
    }

    /// The converter of `page` in its initial state; not opened() when iconv lacks the page.
    iconv_t of(int page) {
        if (opened(cd_) && page == page_) {
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            return cd_;
        }
        if (opened(cd_)) iconv_close(cd_);
        cd_ = open_(page);
        page_ = page;
        return cd_;
    }

private:
    iconv_t (*open_)(int page);
    iconv_t cd_ = reinterpret_cast<iconv_t>(-1);
    int page_ = 0;
};

thread_local KeptConverter keptToUtf8(openToUtf8);
thread_local KeptConverter keptFromUtf8(openFromUtf8);

/// Which ASCII characters the thread's last page writes as their own byte and reads back so,
/// as utf8ToCodePage found them one by one (each conversion starts from the converters' initial
/// state, so one finding holds for every later one): most of a cell's characters are ASCII, and
/// two conversions a character cost far more than the cell.
struct AsciiOfPage {
    enum Finding : std::uint8_t { Unknown, Kept, Other };
    int page = 0;
    bool any = false; ///< `page` is the page of the findings
    std::array<Finding, 128> found{};

    Finding& of(int forPage, unsigned char c) {
        if (!any || forPage != page) {
            found.fill(Unknown);
            page = forPage;
            any = true;
        }
        return found[c];
    }
};

thread_local AsciiOfPage asciiOfPage;

} // namespace

bool codePageAvailable(int page) {
    const iconv_t cd = openToUtf8(page);
    if (!opened(cd)) return false;
    iconv_close(cd);
    return true;
}

std::optional<std::string> codePageToUtf8(int page, std::string_view bytes) {
    const iconv_t cd = keptToUtf8.of(page);
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
        // An invalid or cut-off sequence: one replacement, and on after its first byte. (glibc's
        // CP949 converter may have passed over the sequence already, to the end of the input.)
        out += kReplacementCharacter;
        if (inLeft == 0) break;
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    // A converter that holds a character back (CP1255, CP1258 combine it with accents that may
    // follow) gives it up only when flushed.
    char* outPtr = chunk;
    std::size_t outLeft = sizeof chunk;
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
    return out;
}

std::optional<std::string> utf8ToCodePage(int page, std::string_view text, std::size_t& unmappable) {
    const iconv_t to = keptFromUtf8.of(page);
    const iconv_t back = keptToUtf8.of(page);
    if (!opened(to) || !opened(back)) {
        unmappable = text.size();
        return std::nullopt;
    }
    // A character at a time, each read back: glibc writes some characters the page lacks as a
    // look-alike without a word (U+00A5 as CP932 0x5C, which reads back as a backslash), and a
    // character that does not come back unchanged counts as lacking, where it stands.
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        AsciiOfPage::Finding* ascii = lead < 0x80 ? &asciiOfPage.of(page, lead) : nullptr;
        if (ascii != nullptr && *ascii == AsciiOfPage::Kept) {
            out += static_cast<char>(lead);
            ++at;
            continue;
        }
        const std::size_t length = std::min<std::size_t>(utf8Length(lead), text.size() - at);
        const std::string_view character = text.substr(at, length);
        char encoded[16];
        char* in = const_cast<char*>(character.data());
        std::size_t inLeft = character.size();
        char* outPtr = encoded;
        std::size_t outLeft = sizeof encoded;
        const std::size_t rc = iconv(to, &in, &inLeft, &outPtr, &outLeft);
        iconv(to, nullptr, nullptr, &outPtr, &outLeft);
        const std::string_view bytes(encoded, static_cast<std::size_t>(outPtr - encoded));
        char decoded[16];
        in = const_cast<char*>(bytes.data());
        inLeft = bytes.size();
        char* backPtr = decoded;
        std::size_t backLeft = sizeof decoded;
        const std::size_t backRc = iconv(back, &in, &inLeft, &backPtr, &backLeft);
        iconv(back, nullptr, nullptr, &backPtr, &backLeft);
        if (rc != 0 || backRc == static_cast<std::size_t>(-1) ||
            std::string_view(decoded, static_cast<std::size_t>(backPtr - decoded)) != character) {
            unmappable = at;
            return std::nullopt;
        }
        if (ascii != nullptr)
            *ascii = bytes.size() == 1 && bytes[0] == character[0] ? AsciiOfPage::Kept : AsciiOfPage::Other;
        out += bytes;
        at += length;
    }
    return out;
}

} // namespace dxf2csv::platform
