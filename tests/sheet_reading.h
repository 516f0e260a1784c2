#pragma once
// Feeds a whole drawing, written inline, to the sheet reader pair by pair, as the pair scanner
// does: the header's character set to the decoder, the pairs of BLOCKS and ENTITIES (less their
// opening pairs, with their ENDSEC) to the reader.

#include "reading/number_reading.h"
#include "ruled/sheet_reader.h"
#include "messages/run_failure.h"
#include "text/text_decoder.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dxf2csv::ruled::test {

/// The lines of `drawing` (ending in LF or CR LF) with their numbers, from 1.
inline std::vector<std::pair<std::string_view, std::int64_t>> linesOf(std::string_view drawing) {
    std::vector<std::pair<std::string_view, std::int64_t>> lines;
    std::int64_t number = 0;
    while (!drawing.empty()) {
        const auto end = drawing.find('\n');
        std::string_view line = drawing.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line, ++number);
        if (end == std::string_view::npos) break;
        drawing.remove_prefix(end + 1);
    }
    return lines;
}

/// Reads `drawing` into sheets. Throws what the reader throws.
inline Sheets readSheets(std::string_view drawing) {
    TextDecoder decoder;
    const std::string file = "test.dxf";
    SheetReader reader(decoder, file);
    const auto lines = linesOf(drawing);
    enum class In { Outside, Header, Blocks, Entities } in = In::Outside;
    bool afterSection = false;
    std::string_view variable;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        const std::string_view value = lines[i + 1].first;
        const std::int64_t line = lines[i + 1].second;
        const auto code = readGroupCode(lines[i].first).value;
        if (afterSection && code == 2) {
            afterSection = false;
            in = value == "HEADER" ? In::Header : value == "BLOCKS" ? In::Blocks : value == "ENTITIES" ? In::Entities : In::Outside;
            continue;
        }
        if (code == 0 && value == "SECTION") {
            afterSection = true;
            continue;
        }
        if (code == 0 && value == "EOF") break;
        if (in == In::Header) {
            if (code == 9) variable = value;
            if (variable == "$ACADVER" && code == 1) decoder.setVersion(value);
            if (variable == "$DWGCODEPAGE" && code == 3) decoder.setCodePage(value);
        }
        if (in == In::Blocks || in == In::Entities)
            reader.pair(in == In::Blocks ? SheetSection::Blocks : SheetSection::Entities, code, value, line);
        if (code == 0 && value == "ENDSEC") in = In::Outside;
    }
    return reader.finish();
}

/// The failure reading `drawing` gives, or nothing.
inline std::optional<RunFailure> readingFailure(std::string_view drawing) {
    try {
        readSheets(drawing);
    } catch (const RunFailure& failure) {
        return failure;
    }
    return std::nullopt;
}

} // namespace dxf2csv::ruled::test

namespace dxf2csv::ruled::test {

/// A drawing of `blocks` (BLOCK ... ENDBLK entities) and `entities`, each a run of pairs with
/// one line each for code and value.
inline std::string drawingOf(std::string_view blocks, std::string_view entities) {
    std::string out = "0\nSECTION\n2\nBLOCKS\n";
    out += blocks;
    out += "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n";
    out += entities;
    out += "0\nENDSEC\n0\nEOF\n";
    return out;
}

/// The number of the first line of `drawing` that reads `text` exactly.
inline std::int64_t lineOf(std::string_view drawing, std::string_view text) {
    for (const auto& [line, number] : linesOf(drawing))
        if (line == text) return number;
    return 0;
}

/// The numbers of the lines of `drawing` that read `text` exactly, in order.
inline std::vector<std::int64_t> linesReading(std::string_view drawing, std::string_view text) {
    std::vector<std::int64_t> found;
    for (const auto& [line, number] : linesOf(drawing))
        if (line == text) found.push_back(number);
    return found;
}

} // namespace dxf2csv::ruled::test
