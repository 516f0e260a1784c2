#include "ruled/table_entity.h"

#include "reading/group_codes.h"
#include "ruled/entity_codes.h"
#include "ruled/mtext_format.h"
#include "text/text_decoder.h"

#include <cmath>

namespace dxf2csv::ruled {
namespace {

/// A count as the table writes it: a whole number from 1 up, or nothing.
std::optional<std::size_t> countOf(double value) {
    if (value < 1 || value != std::floor(value)) return std::nullopt;
    return static_cast<std::size_t>(value);
}

/// A merged cell's span: a whole number, 0 read as 1 (a cell that merges nothing).
int spanOf(double value) {
    if (value < 1 || value != std::floor(value) || value > 1e9) return value == 0 ? 1 : -1;
    return static_cast<int>(value);
}

} // namespace

void TableEntity::reset() {
    inTable_ = false;
    countsRead_ = true;
    blockName_.clear();
    insertion_ = {};
    direction_ = {1, 0};
    pendingX_ = 0;
    rows_ = 0;
    columns_ = 0;
    heights_.clear();
    widths_.clear();
    cells_.clear();
}

void TableEntity::take(int code, std::string_view value, std::int64_t line, const ValueReader& values) {
    if (code == kCodeSubclass) {
        if (value == names::kTableSubclass) inTable_ = true;
        return;
    }
    if (!inTable_) {
        switch (code) {
        case kCodeName: blockName_.assign(value); break;
        case kCodeX: pendingX_ = values.number(value, line); break;
        case kCodeY1: insertion_ = {pendingX_, values.number(value, line)}; break;
        default: break;
        }
        return;
    }
    if (cells_.empty()) {
        switch (code) {
        case kCodeX2: pendingX_ = values.number(value, line); break;
        case kCodeY2: direction_ = {pendingX_, values.number(value, line)}; break;
        case kCodeTableRows: rows_ = values.number(value, line); break;
        case kCodeTableColumns: columns_ = values.number(value, line); break;
        case kCodeRowHeight: heights_.push_back(values.number(value, line)); break;
        case kCodeColumnWidth: widths_.push_back(values.number(value, line)); break;
        case kCodeCellType: cells_.emplace_back(); break;
        default: break;
        }
        return;
    }
    CellData& cell = cells_.back();
    switch (code) {
    case kCodeCellType: cells_.emplace_back(); break;
    case kCodeCellColumns: cell.columns = spanOf(values.number(value, line)); break;
    case kCodeCellRows: cell.rows = spanOf(values.number(value, line)); break;
    case kCodeCellPiece:
    case kCodeTextPiece:
    case kCodeContent: cell.text.append(value); break;
    case kCodeCellShown: cell.shown.append(value); break;
    default: break;
    }
}

std::optional<GivenTable> TableEntity::table(const TextDecoder& decoder, std::int64_t line) const {
    if (!inTable_) return std::nullopt;
    const auto rows = countOf(rows_);
    const auto columns = countOf(columns_);
    if (!rows || !columns || heights_.size() != *rows || widths_.size() != *columns) return std::nullopt;
    if (cells_.size() / *columns != *rows || cells_.size() % *columns != 0) return std::nullopt;
    GivenTable table;
    table.line = line;
    table.xs.push_back(0);
    for (const double w : widths_) {
        if (!(w > 0)) return std::nullopt;
        table.xs.push_back(table.xs.back() + w);
    }
    table.ys.push_back(0);
    for (const double h : heights_) {
        if (!(h > 0)) return std::nullopt;
        table.ys.push_back(table.ys.back() - h);
    }
    // Each grid position belongs to the first cell, in writing order, whose span covers it;
    // the positions a merged cell covers hold cells of their own that are no cells.
    std::vector<char> covered(cells_.size(), 0);
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        if (covered[i]) continue;
        const CellData& data = cells_[i];
        const std::size_t row = i / *columns;
        const std::size_t column = i % *columns;
        if (data.rows < 1 || data.columns < 1 || row + static_cast<std::size_t>(data.rows) > *rows ||
            column + static_cast<std::size_t>(data.columns) > *columns)
            return std::nullopt;
        for (std::size_t r = row; r < row + static_cast<std::size_t>(data.rows); ++r) {
            for (std::size_t c = column; c < column + static_cast<std::size_t>(data.columns); ++c) {
                char& at = covered[r * *columns + c];
                if (at) return std::nullopt;
                at = 1;
            }
        }
        GivenCell cell;
        cell.row = static_cast<int>(row);
        cell.column = static_cast<int>(column);
        cell.rows = data.rows;
        cell.columns = data.columns;
        const std::string& written = data.shown.empty() ? data.text : data.shown;
        cell.text = readMtextContents(decoder.toUtf8(written), decoder.codePageForCodes());
        table.cells.push_back(std::move(cell));
    }
    return table;
}

} // namespace dxf2csv::ruled
