#include "output/workbook_tables.h"

#include "messages/run_failure.h"
#include "output/plain_number.h"
#include "platform/utf8.h"
#include "text/text_decoder.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

namespace dxf2csv {
namespace {

/// How wide a column is drawn, in characters: its longest line, within these bounds (a column
/// of one-letter marks stays readable, a long note does not push the rest off the screen).
constexpr double kNarrowestColumn = 4;
constexpr double kWidestColumn = 60;
/// Room beside the text, as Excel leaves it.
constexpr double kColumnPadding = 1;

/// How many columns `line` takes on a screen: a full-width character (U+1100 and above,
/// but for the half-width katakana and signs of U+FF61..U+FFDC) two, any other one.
double displayWidth(std::string_view line) {
    double width = 0;
    for (std::size_t i = 0; i < line.size();) {
        const auto lead = static_cast<unsigned char>(line[i]);
        const std::size_t length = std::min(utf8Length(lead), line.size() - i);
        const char32_t c = length > 1 ? codePointOf(line.substr(i, length)) : lead;
        width += (c >= 0x1100 && !(c >= 0xFF61 && c <= 0xFFDC)) ? 2 : 1;
        i += length;
    }
    return width;
}

/// The widest line of `text`.
double widestLine(std::string_view text) {
    double widest = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        widest = std::max(widest, displayWidth(text.substr(start, end - start)));
        start = end + 1;
    }
    return widest;
}

/// A name for the temporary workbook: the process and a count, so that runs in several
/// processes or threads never meet.
std::filesystem::path temporaryWorkbook() {
    static std::atomic<unsigned> count{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::ostringstream name;
    name << "dxf2csv-" << stamp << "-" << count++ << ".xlsx";
    return std::filesystem::temp_directory_path() / name.str();
}

} // namespace

WorkbookTables::Sheet& WorkbookTables::current() {
    if (sheets_.empty()) sheets_.emplace_back();
    return sheets_.back();
}

void WorkbookTables::beginTable() { sheets_.emplace_back(); }

void WorkbookTables::cell(const FieldValue& content) { current().rows.back().push_back(decoder_.decode(content.text())); }

void WorkbookTables::shownCell(std::string_view text, std::int64_t) { current().rows.back().emplace_back(text); }

void WorkbookTables::endRow() { current().rows.emplace_back(); }

void WorkbookTables::merge(int row, int column, int rows, int columns) {
    if (rows > 1 || columns > 1) current().merges.push_back({row, column, rows, columns});
}

std::string WorkbookTables::workbookBytes() const {
    const std::filesystem::path path = temporaryWorkbook();
    const std::string pathText = path.string();
    auto fail = [&](std::string_view why) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        throw RunFailure(FailureKind::OutputCannotBeWritten, name_, 0, Detail::WriteFailed, {std::string(why)});
    };
    auto check = [&](lxw_error error) {
        if (error != LXW_NO_ERROR) fail(lxw_strerror(error));
    };
    // Closed (written and freed) once all is in it, or, when a call fails part way, freed
    // through the same close and the file dropped.
    struct Closer {
        void operator()(lxw_workbook* w) const { workbook_close(w); }
    };
    std::unique_ptr<lxw_workbook, Closer> owned(workbook_new(pathText.c_str()));
    if (!owned) fail(pathText);
    lxw_workbook* workbook = owned.get();
    lxw_format* wrap = workbook_add_format(workbook);
    format_set_text_wrap(wrap);
    lxw_format* merged = workbook_add_format(workbook);
    format_set_text_wrap(merged);
    format_set_align(merged, LXW_ALIGN_VERTICAL_TOP);

    std::size_t number = 0;
    const Sheet empty;
    const std::vector<Sheet> none{empty};
    for (const Sheet& sheet : sheets_.empty() ? none : sheets_) {
        const std::string name = "表" + std::to_string(++number);
        lxw_worksheet* worksheet = workbook_add_worksheet(workbook, name.c_str());
        if (worksheet == nullptr) fail(name);
        // A merged cell's first grid cell holds its text; its width counts for no column.
        std::vector<std::vector<std::uint8_t>> inMerge(sheet.rows.size());
        for (const Merge& m : sheet.merges) {
            for (int r = m.row; r < m.row + m.rows && r < static_cast<int>(sheet.rows.size()); ++r) {
                auto& flags = inMerge[static_cast<std::size_t>(r)];
                flags.resize(std::max(flags.size(), static_cast<std::size_t>(m.column + m.columns)), 0);
                for (int c = m.column; c < m.column + m.columns; ++c) flags[static_cast<std::size_t>(c)] = 1;
            }
        }
        std::vector<double> widths;
        for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
            const auto& row = sheet.rows[r];
            for (std::size_t c = 0; c < row.size(); ++c) {
                const std::string& text = row[c];
                const bool merging = c < inMerge[r].size() && inMerge[r][c] != 0;
                if (!merging) {
                    if (widths.size() <= c) widths.resize(c + 1, 0);
                    widths[c] = std::max(widths[c], widestLine(text));
                }
                if (text.empty()) continue;
                const auto rowNumber = static_cast<lxw_row_t>(r);
                const auto columnNumber = static_cast<lxw_col_t>(c);
                if (const auto value = plainNumberValue(text)) {
                    check(worksheet_write_number(worksheet, rowNumber, columnNumber, *value, nullptr));
                } else {
                    check(worksheet_write_string(worksheet, rowNumber, columnNumber, text.c_str(),
                                                 text.find('\n') != std::string::npos ? wrap : nullptr));
                }
            }
        }
        for (const Merge& m : sheet.merges) {
            const auto r = static_cast<std::size_t>(m.row);
            const auto c = static_cast<std::size_t>(m.column);
            const std::string text = r < sheet.rows.size() && c < sheet.rows[r].size() ? sheet.rows[r][c] : std::string();
            const auto firstRow = static_cast<lxw_row_t>(m.row);
            const auto firstColumn = static_cast<lxw_col_t>(m.column);
            check(worksheet_merge_range(worksheet, firstRow, firstColumn, static_cast<lxw_row_t>(m.row + m.rows - 1),
                                        static_cast<lxw_col_t>(m.column + m.columns - 1), "", merged));
            // The range is written empty, then its first cell as any other: a number stays one.
            if (const auto value = plainNumberValue(text))
                check(worksheet_write_number(worksheet, firstRow, firstColumn, *value, merged));
            else if (!text.empty())
                check(worksheet_write_string(worksheet, firstRow, firstColumn, text.c_str(), merged));
        }
        for (std::size_t c = 0; c < widths.size(); ++c) {
            const double width = std::clamp(widths[c] + kColumnPadding, kNarrowestColumn, kWidestColumn);
            check(worksheet_set_column(worksheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), width, nullptr));
        }
    }
    check(workbook_close(owned.release()));
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const bool read = static_cast<bool>(in) || in.eof();
    in.close();
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    if (!read || bytes.empty())
        throw RunFailure(FailureKind::OutputCannotBeWritten, name_, 0, Detail::WriteFailed, {pathText});
    return bytes;
}

void WorkbookTables::finish() {
    output_.write(workbookBytes());
    output_.commit();
}

} // namespace dxf2csv
