#pragma once
// The state a window keeps across runs: the text table, the member list and the counters,
// plus the cell type and the number rule that the ordering reads them by.

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dxf2csv {

inline constexpr int kTableRows = 5000;

/// One cell: absent, a text (a value line as read) or a whole number.
class FieldValue {
public:
    enum class Kind : std::uint8_t { Absent, Text, Number };

    Kind kind() const noexcept { return kind_; }
    bool absent() const noexcept { return kind_ == Kind::Absent; }
    /// The text; empty for an absent cell or a number.
    std::string_view text() const noexcept { return kind_ == Kind::Text ? std::string_view(text_) : std::string_view(); }
    std::int32_t number() const noexcept { return number_; }
    /// The drawing's line the value came from (0 when none).
    std::int64_t line() const noexcept { return line_; }

    /// Reuses the cell's storage, so refilling a table allocates only for longer texts.
    void setText(std::string_view text, std::int64_t line) {
        kind_ = Kind::Text;
        text_.assign(text.data(), text.size());
        line_ = line;
    }
    void setNumber(std::int32_t number, std::int64_t line) {
        kind_ = Kind::Number;
        number_ = number;
        line_ = line;
    }
    void clear() noexcept {
        kind_ = Kind::Absent;
        line_ = 0;
    }

private:
    Kind kind_ = Kind::Absent;
    std::int32_t number_ = 0;
    std::int64_t line_ = 0;
    std::string text_;
};

/// Reads a decimal number: blanks (spaces, tabs) around it, an optional sign, digits with an
/// optional fraction, an optional exponent. Returns nothing for any other text; a number
/// beyond a double gives an infinity. Independent of the locale.
std::optional<double> parseDecimal(std::string_view text) noexcept;

/// A text read as a number and rounded down (towards minus infinity: 7.9 gives 7, -0.5 gives
/// -1). Nothing when the text is no number.
std::optional<double> wholeNumber(std::string_view text) noexcept;

/// The comparison value of a cell: a text by wholeNumber, a number unchanged, absent as 0.
/// Throws RunFailure(NotANumber, or NumberOutOfRange past a double) naming `file` and the
/// cell's line.
double numericValue(const FieldValue& cell, const std::string& file);

/// A text read as a whole number that must fit 16 bits.
/// Throws RunFailure(NotANumber or NumberOutOfRange) naming `file` and `line`.
std::int16_t numericValue16(std::string_view text, const std::string& file, std::int64_t line);

/// numericValue16 for a group-code line, the most frequent number of a drawing: plain digits,
/// perhaps right-aligned ("  0"), are read here; anything else goes the general way.
inline std::int16_t groupCodeValue(std::string_view text, const std::string& file, std::int64_t line) {
    if (text.size() == 3) {
        // The usual right-aligned form ("  0", " 10", "330"), read without a branch on the
        // digits: the codes of a drawing vary too much for a branch to be guessed right.
        const unsigned a = static_cast<unsigned char>(text[0]) - unsigned{'0'};
        const unsigned b = static_cast<unsigned char>(text[1]) - unsigned{'0'};
        const unsigned c = static_cast<unsigned char>(text[2]) - unsigned{'0'};
        const bool aDigit = a < 10;
        const bool bDigit = b < 10;
        const bool aBlank = text[0] == ' ';
        const bool bBlank = text[1] == ' ';
        const bool ok = (c < 10) & (bDigit | (bBlank & aBlank)) & (aDigit | aBlank);
        if (ok) return static_cast<std::int16_t>(a * aDigit * 100 + b * bDigit * 10 + c);
    }
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    int value = 0;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec == std::errc() && ptr == last && first != last && *first != '-' && value <= INT16_MAX)
        return static_cast<std::int16_t>(value);
    return numericValue16(text, file, line);
}

/// `value + add` as a signed 16-bit counter.
/// Throws RunFailure(NumberOutOfRange) naming `file`, `line` and `what`.
std::int16_t checkedAdd16(std::int16_t value, int add, const std::string& file, std::int64_t line,
                          std::string_view what);

/// One TEXT entity: its handle (5), content (1), x (10), y (21) and vertical alignment (73/72).
struct TextRecord {
    FieldValue handle;
    FieldValue content;
    FieldValue x;
    FieldValue y;
    FieldValue vAlign;
};

/// Rows 1..5000 of captured TEXT entities; row 0 is never used.
class TextTable {
public:
    TextTable() : rows_(kTableRows + 1) {}

    TextRecord& row(int number) { return rows_[static_cast<std::size_t>(number)]; }
    const TextRecord& row(int number) const { return rows_[static_cast<std::size_t>(number)]; }
    /// Empties every row that has been written since the last clear.
    void clear();
    /// Marks row `number` as written (so clear() reaches it).
    void touch(int number) {
        if (number > highest_) highest_ = number;
    }

private:
    std::vector<TextRecord> rows_;
    int highest_ = 0;
};

/// Slots 1..5000, each the TextTable row of one member of the current group.
using MemberList = std::array<std::int16_t, kTableRows + 1>;

/// Everything that outlives one run, owned by the window (or by the command line per drawing).
struct WindowState {
    TextTable textTable;
    MemberList memberList{};
    std::string rowLine;
    std::int16_t groupCode = 0;
    std::string_view currentLine; ///< the value line of the current pair, valid during one step
    std::int64_t currentLineNumber = 0;
    std::int16_t textCount = 0;
    std::int16_t recognizedCount = 0;
    std::int16_t memberCount = 0;
    std::int16_t totalCount = 0;
    std::int16_t heightTolerance = 0;

    /// What every run starts from: an empty table and member list, zero counters.
    void resetForRun();
};

} // namespace dxf2csv
