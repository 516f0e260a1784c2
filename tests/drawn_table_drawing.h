#pragma once
// Small DXF drawings of drawn tables, written inline: lines, texts, blocks and their inserts.

#include <string>
#include <vector>

namespace dxf2csv::test::dxf {

/// A number as a drawing writes it.
inline std::string num(double value) {
    std::string text = std::to_string(value);
    while (text.size() > 1 && text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

inline std::string line(double x1, double y1, double x2, double y2) {
    return "  0\nLINE\n  8\n0\n 10\n" + num(x1) + "\n 20\n" + num(y1) + "\n 11\n" + num(x2) + "\n 21\n" + num(y2) + "\n";
}

/// A TEXT centred both ways on (x, y), `height` high.
inline std::string text(const std::string& content, double x, double y, double height = 2.5) {
    return "  0\nTEXT\n  8\n0\n 10\n" + num(x) + "\n 20\n" + num(y) + "\n 40\n" + num(height) + "\n  1\n" + content +
           "\n 72\n1\n 11\n" + num(x) + "\n 21\n" + num(y) + "\n 73\n2\n";
}

/// The rules of a grid whose column edges are `xs` and row edges `ys` (top first), every
/// rule one LINE from end to end.
inline std::string grid(const std::vector<double>& xs, const std::vector<double>& ys) {
    std::string out;
    for (const double y : ys) out += line(xs.front(), y, xs.back(), y);
    for (const double x : xs) out += line(x, ys.front(), x, ys.back());
    return out;
}

inline std::string drawing(const std::string& entities, const std::string& blocks = "") {
    // AutoCAD 2007 and later store UTF-8, as the texts here are written.
    std::string out = "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1021\n  9\n$DWGCODEPAGE\n  3\nANSI_932\n  0\nENDSEC\n";
    if (!blocks.empty()) out += "  0\nSECTION\n  2\nBLOCKS\n" + blocks + "  0\nENDSEC\n";
    out += "  0\nSECTION\n  2\nENTITIES\n" + entities + "  0\nENDSEC\n  0\nEOF\n";
    return out;
}

inline std::string block(const std::string& name, const std::string& entities) {
    return "  0\nBLOCK\n  8\n0\n  2\n" + name + "\n 70\n0\n 10\n0\n 20\n0\n  3\n" + name + "\n" + entities +
           "  0\nENDBLK\n  8\n0\n";
}

inline std::string insert(const std::string& name, double x, double y, double xScale = 1, double yScale = 1,
                          double rotation = 0) {
    return "  0\nINSERT\n  8\n0\n  2\n" + name + "\n 10\n" + num(x) + "\n 20\n" + num(y) + "\n 41\n" + num(xScale) +
           "\n 42\n" + num(yScale) + "\n 50\n" + num(rotation) + "\n";
}

} // namespace dxf2csv::test::dxf
