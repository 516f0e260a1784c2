// code_page_table PAGE: prints what the platform layer makes of every one- and two-byte
// sequence of a code page, one line per lead byte, and whether each of a few characters
// converts back. Both builds print it; scripts/test-windows compares the two.

#include "platform/code_pages.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: code_page_table PAGE\n");
        return 2;
    }
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY); // the same bytes as on Linux
#endif
    using namespace dxf2csv::platform;
    const int page = std::atoi(argv[1]);
    std::printf("page %d available %d\n", page, codePageAvailable(page) ? 1 : 0);
    if (!codePageAvailable(page)) return 0;
    for (int lead = 0; lead < 256; ++lead) {
        const std::string one(1, static_cast<char>(lead));
        std::string line = hex(*codePageToUtf8(page, one)) + " |";
        // The lead byte before every trail byte, and before the end of the text.
        for (int trail = 0; trail < 256; ++trail)
            line += " " + hex(*codePageToUtf8(page, one + static_cast<char>(trail)));
        std::printf("%02x %s\n", lead, line.c_str());
    }
    const char* samples[] = {"A", "\xC3\xA9", "\xE9\x83\xA8\xE5\x93\x81", "\xE2\x82\xAC",
                             "\xEF\xBD\xA1", "\xE2\x91\xA0", "\xED\x95\x9C", "x\xC3", "\xF0\x9F\x98\x80"};
    for (const char* sample : samples) {
        std::size_t unmappable = 0;
        const auto bytes = utf8ToCodePage(page, sample, unmappable);
        std::printf("%s -> %s\n", hex(sample).c_str(), bytes ? hex(*bytes).c_str() : ("refused at " + std::to_string(unmappable)).c_str());
    }
    return 0;
}
