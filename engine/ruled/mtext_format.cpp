#include "ruled/mtext_format.h"

#include "text/text_codes.h"

namespace dxf2csv::ruled {
namespace {

/// Collects the text as it reads: plain runs decoded together (a code may span what the
/// formatting left of a run), escaped characters as they are.
class Contents {
public:
    explicit Contents(int codePage) : codePage_(codePage) {}
    void plain(char c) { run_ += c; }
    void plain(std::string_view s) { run_ += s; }
    void literal(std::string_view s) {
        flush();
        out_ += s;
    }
    std::string take() {
        flush();
        return std::move(out_);
    }

private:
    void flush() {
        if (run_.empty()) return;
        out_ += decodeTextCodes(run_, codePage_);
        run_.clear();
    }
    int codePage_;
    std::string run_;
    std::string out_;
};

/// Formatting codes that run to a ';'.
bool takesArgument(char letter) {
    switch (letter) {
    case 'f':
    case 'F':
    case 'H':
    case 'W':
    case 'C':
    case 'c':
    case 'Q':
    case 'T':
    case 'A':
    case 'p': return true;
    default: return false;
    }
}

/// Formatting codes of one letter that switch something and show nothing.
bool isSwitch(char letter) {
    switch (letter) {
    case 'L':
    case 'l':
    case 'O':
    case 'o':
    case 'K':
    case 'k':
    case 'X': return true;
    default: return false;
    }
}

/// A stacked text ("1^2", "1/2", "1#2") as a fraction: the two parts joined by "/", or the
/// one part that is there.
void stack(std::string_view stacked, Contents& out) {
    const auto split = stacked.find_first_of("^/#");
    if (split == std::string_view::npos) {
        out.plain(stacked);
        return;
    }
    const std::string_view top = stacked.substr(0, split);
    const std::string_view bottom = stacked.substr(split + 1);
    out.plain(top);
    if (!top.empty() && !bottom.empty()) out.literal("/");
    out.plain(bottom);
}

} // namespace

std::string readMtextContents(std::string_view text, int codePage) {
    Contents out(codePage);
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '{' || c == '}') {
            ++i;
            continue;
        }
        if (c == '^' && i + 1 < text.size()) {
            // DXF writes a control character as ^ and the letter 64 above it (^I a tab, ^J a
            // line feed), and ^ itself as "^ ".
            const char next = text[i + 1];
            if (next == ' ') {
                out.literal("^");
            } else if (next == 'I') {
                out.literal("\t");
            } else if (next == 'J') {
                out.literal("\n");
            } else if (next < '@' || next > '_') {
                out.plain(c); // no control character: "x^2" stays as written
                ++i;
                continue;
            }
            i += 2;
            continue;
        }
        if (c != '\\' || i + 1 == text.size()) {
            out.plain(c);
            ++i;
            continue;
        }
        const char letter = text[i + 1];
        if (letter == 'P' || letter == 'N') {
            out.literal("\n");
            i += 2;
        } else if (letter == '~') {
            out.literal(" ");
            i += 2;
        } else if (letter == '\\' || letter == '{' || letter == '}') {
            out.literal(std::string_view(&text[i + 1], 1));
            i += 2;
        } else if (isSwitch(letter)) {
            i += 2;
        } else if (takesArgument(letter) || letter == 'S') {
            const auto end = text.find(';', i + 2);
            if (end == std::string_view::npos) {
                out.plain(c);
                ++i;
                continue;
            }
            if (letter == 'S') stack(text.substr(i + 2, end - i - 2), out);
            i = end + 1;
        } else {
            // \U+XXXX, \M+nXXXX and anything unknown: left for the character codes, or as written.
            out.plain(c);
            ++i;
        }
    }
    return out.take();
}

} // namespace dxf2csv::ruled
