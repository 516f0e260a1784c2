#pragma once
// One cell of the text table, and the rule that reads a cell as a number for the ordering.

#include "reading/number_reading.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace dxf2csv {

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

/// The comparison value of a cell: a text by readFloored (rounded down; a text that is no
/// number, or past a double, has none), a number unchanged, absent as 0.
inline FlooredNumber comparisonValue(const FieldValue& cell) noexcept {
    switch (cell.kind()) {
    case FieldValue::Kind::Absent: return {0, NumberStatus::Ok};
    case FieldValue::Kind::Number: return {static_cast<double>(cell.number()), NumberStatus::Ok};
    case FieldValue::Kind::Text: break;
    }
    return readFloored(cell.text());
}

} // namespace dxf2csv
