#pragma once
// A drawing rewritten so that the reader can pass over none of its pairs: a blank after every
// group code keeps its value ("  8 " is still 8) but makes no code line plain digits. Shared
// by the tests and the fuzz target, which compare a run on it with a run on the drawing.

#include <string>
#include <string_view>

namespace dxf2csv::test {

inline std::string withBlankAfterEveryCode(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    bool codeLine = true;
    std::size_t from = 0;
    for (std::size_t at; (at = bytes.find_first_of("\r\n", from)) != std::string_view::npos;) {
        out.append(bytes, from, at - from);
        if (codeLine) out += ' ';
        const std::size_t terminator = bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n' ? 2 : 1;
        out.append(bytes, at, terminator);
        from = at + terminator;
        codeLine = !codeLine;
    }
    out.append(bytes, from);
    return out;
}

} // namespace dxf2csv::test
