#include "ruled/block_library.h"

#include "ruled/entity_codes.h"
#include "ruled/value_reading.h"
#include "messages/run_failure.h"
#include "text/text_decoder.h"

#include <algorithm>
#include <cmath>

namespace dxf2csv::ruled {
namespace {

/// How far from upright a placed AutoCAD table may be turned, as the ratio of the turning to
/// the scaling part of its map, and still be given as a table: the turn of a direction vector
/// written to 16 digits leaves about 1e-16; anything visibly turned is far past 1e-9. A table
/// turned more is drawn by its block, whose lines the finder reads as they stand.
constexpr double kUprightTolerance = 1e-9;

bool isLayoutName(std::string_view name) {
    for (const std::string_view prefix : names::kLayoutPrefixes) {
        if (name.size() < prefix.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < prefix.size() && same; ++i) {
            const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
            same = lower(name[i]) == lower(prefix[i]);
        }
        if (same) return true;
    }
    return false;
}

bool upright(const Affine& m) {
    return m.xx > 0 && m.yy > 0 && std::fabs(m.xy) <= kUprightTolerance * m.xx &&
           std::fabs(m.yx) <= kUprightTolerance * m.yy;
}

} // namespace

std::uint32_t BlockLibrary::idOf(std::string_view name) {
    const auto found = ids_.find(name);
    if (found != ids_.end()) return found->second;
    const auto id = static_cast<std::uint32_t>(blocks_.size());
    BlockDefinition& block = blocks_.emplace_back();
    block.name.assign(name);
    block.layout = isLayoutName(name);
    ids_.emplace(block.name, id);
    return id;
}

void BlockLibrary::putText(const LocalText& text, const Affine& map, Sheet& sheet) {
    const Point up = map.turn(text.up);
    const double height = text.height * std::hypot(up.x, up.y);
    if (!(height > 0)) return; // a plane seen edge-on shows no text
    sheet.texts.push_back({map.apply(text.middle), height, text.text, text.line});
}

std::string BlockLibrary::quotedName(std::uint32_t id) const { return quoteText(decoder_.decode(blocks_[id].name)); }

std::uint64_t BlockLibrary::sizeOf(std::uint32_t root) {
    constexpr std::uint64_t kPast = kMaxPlacedElements + 1;
    if (sizes_.size() < blocks_.size()) sizes_.resize(blocks_.size(), kUnknown);
    if (onStack_.size() < blocks_.size()) onStack_.resize(blocks_.size(), 0);
    // A failure part way leaves frames behind; the chain they marked is being sized no more.
    for (const SizeFrame& frame : sizeStack_) onStack_[frame.block] = 0;
    sizeStack_.clear();
    if (sizes_[root] != kUnknown) return sizes_[root];
    sizeStack_.push_back({root, 0});
    onStack_[root] = 1;
    while (!sizeStack_.empty()) {
        SizeFrame& frame = sizeStack_.back();
        const BlockDefinition& block = blocks_[frame.block];
        if (frame.next < block.placements.size()) {
            const Placement& nested = block.placements[frame.next++];
            const BlockDefinition& child = blocks_[nested.block];
            if (!child.defined || child.layout || sizes_[nested.block] != kUnknown) continue;
            if (onStack_[nested.block])
                throw RunFailure(FailureKind::BlockPlacesItself, file_, nested.line, Detail::BlockName,
                                 {quotedName(nested.block)});
            onStack_[nested.block] = 1;
            sizeStack_.push_back({nested.block, 0});
            continue;
        }
        // Its own elements, and for each copy of each placement 1 and what its block adds (a
        // table given instead of its block adds less).
        std::uint64_t size = block.segments.size() + block.boxes.size() + block.texts.size();
        for (const Placement& nested : block.placements) {
            const BlockDefinition& child = blocks_[nested.block];
            const std::uint64_t each = 1 + (child.defined && !child.layout ? sizes_[nested.block] : 0);
            const auto copies = static_cast<std::uint64_t>(nested.columns) * static_cast<std::uint64_t>(nested.rows);
            size = std::min(kPast, size + std::min(kPast, copies * each));
        }
        sizes_[frame.block] = size;
        onStack_[frame.block] = 0;
        sizeStack_.pop_back();
    }
    return sizes_[root];
}

void BlockLibrary::place(const Placement& top, const Affine& parent, const std::vector<LocalTable>& tables,
                         Sheet& sheet, std::vector<std::string>& missing) {
    // A failure part way leaves frames behind; the chain they marked is no longer placed.
    for (const Frame& frame : stack_) onStack_[frame.block] = 0;
    stack_.clear();
    const BlockDefinition& root = blocks_[top.block];
    const std::uint64_t each = 1 + (root.defined && !root.layout ? sizeOf(top.block) : 0);
    const auto copies = static_cast<std::uint64_t>(top.columns) * static_cast<std::uint64_t>(top.rows);
    if (copies > kMaxPlacedElements || each > kMaxPlacedElements || placed_ + copies * each > kMaxPlacedElements)
        throw RunFailure(FailureKind::TooManyPlaced, file_, top.line, Detail::PlacementLimit,
                         {quotedName(top.block), std::to_string(kMaxPlacedElements)});
    placed_ += copies * each;
    for (int row = 0; row < top.rows; ++row) {
        for (int column = 0; column < top.columns; ++column) {
            const Point offset = {top.columnStep.x * column + top.rowStep.x * row,
                                  top.columnStep.y * column + top.rowStep.y * row};
            expand(top, parent, tables, offset, sheet, missing);
            while (!stack_.empty()) {
                Frame& frame = stack_.back();
                const BlockDefinition& holder = blocks_[frame.block];
                if (frame.next >= holder.placements.size()) {
                    onStack_[frame.block] = 0;
                    stack_.pop_back();
                    continue;
                }
                const Placement& nested = holder.placements[frame.next];
                const Point at = {nested.columnStep.x * frame.column + nested.rowStep.x * frame.row,
                                  nested.columnStep.y * frame.column + nested.rowStep.y * frame.row};
                if (++frame.column == nested.columns) {
                    frame.column = 0;
                    if (++frame.row == nested.rows) {
                        frame.row = 0;
                        ++frame.next;
                    }
                }
                const Affine holderMap = frame.map; // the frame moves when expand pushes
                expand(nested, holderMap, holder.tables, at, sheet, missing);
            }
        }
    }
}

void BlockLibrary::expand(const Placement& placement, const Affine& holder, const std::vector<LocalTable>& tables,
                          Point offset, Sheet& sheet, std::vector<std::string>& missing) {
    const Affine placed = holder.after(Affine::translation(offset).after(placement.map));
    if (placement.table >= 0) {
        const LocalTable& local = tables[static_cast<std::size_t>(placement.table)];
        if (local.table && upright(placed)) {
            GivenTable table = *local.table;
            for (double& x : table.xs) x = placed.xx * x + placed.tx;
            for (double& y : table.ys) y = placed.yy * y + placed.ty;
            sheet.given.push_back(std::move(table));
            return;
        }
    }
    const std::uint32_t id = placement.block;
    BlockDefinition& block = blocks_[id];
    if (block.layout) return;
    if (!block.defined) {
        if (!block.reportedMissing) {
            block.reportedMissing = true;
            missing.push_back(decoder_.decode(block.name));
        }
        return;
    }
    if (onStack_.size() < blocks_.size()) onStack_.resize(blocks_.size(), 0);
    if (onStack_[id]) throw RunFailure(FailureKind::BlockPlacesItself, file_, placement.line, Detail::BlockName, {quotedName(id)});
    const Affine map = placed.after(Affine::translation({-block.base.x, -block.base.y}));
    if (!(map.magnitude() <= kMaxMagnitude))
        throw RunFailure(FailureKind::NumberOutOfRange, file_, placement.line, Detail::PlacedBeyond, {quotedName(id), "1e15"});
    for (const Segment& s : block.segments) sheet.addSegment(map.apply(s.a), map.apply(s.b));
    for (const Box& b : block.boxes) sheet.addDrawn(mapBox(map, b));
    for (const LocalText& t : block.texts) putText(t, map, sheet);
    if (!block.placements.empty()) {
        onStack_[id] = 1;
        stack_.push_back({id, map});
    }
}

} // namespace dxf2csv::ruled
