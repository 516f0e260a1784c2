#pragma once
// Reads the drawn geometry of a drawing's BLOCKS and ENTITIES sections into its two sheets:
// every straight segment, text, AutoCAD table and other drawn thing, in sheet coordinates,
// with every block placed where its INSERTs put it.

#include "ruled/sheet.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dxf2csv {
class TextDecoder;
}

namespace dxf2csv::ruled {

enum class SheetSection { Blocks, Entities };

struct Sheets {
    Sheet model;
    Sheet paper; ///< the entities with (67, 1), and the blocks they place
    std::vector<std::string> missingBlocks; ///< names of blocks placed but never defined, UTF-8, each once
};

/// What it reads:
/// - segments: LINE; the straight segments of LWPOLYLINE and of 2D POLYLINE/VERTEX/SEQEND (the
///   closing one of a closed polyline too); zero-length ones dropped;
/// - drawn boxes: bulged polyline segments, curve- and spline-fitted 2D polylines, 3D
///   polylines, ARC, CIRCLE, ELLIPSE, SPLINE, HATCH, SOLID, TRACE, 3DFACE;
/// - texts: TEXT, MTEXT and the visible ATTRIBs of an INSERT (not ATTDEF), decoded to UTF-8;
///   one with no positive height (40) or no text shows nothing and is left out;
/// - tables: ACAD_TABLE from its own data when it stands upright on the sheet and its data
///   makes a table; otherwise its drawing block is placed like an INSERT's;
/// - INSERT (and MINSERT arrays) of the blocks: their contents placed, nested to any depth.
/// Entities with (60, 1) are invisible and left out. Entities of ENTITIES go to the sheet that
/// their (67) names; a block's contents go where the INSERT that places it goes. An entity's
/// own plane (210/220/230) is honoured by the arbitrary axis rule, (0, 0, -1) mirroring X.
class SheetReader {
public:
    /// `decoder` turns the drawing's bytes into UTF-8 (it knows the drawing's character set once
    /// the header is read); `file` names the drawing in failures. Both outlive the reader.
    SheetReader(const TextDecoder& decoder, const std::string& file);
    ~SheetReader();
    SheetReader(const SheetReader&) = delete;
    SheetReader& operator=(const SheetReader&) = delete;

    /// One pair of the BLOCKS or ENTITIES section, in drawing order: not the (0, SECTION) and
    /// (2, name) pairs, but the (0, ENDSEC) that ends the section. `line` is the drawing's
    /// line of the pair; an entity's texts and tables carry the line of its (0, NAME) pair.
    /// Throws RunFailure: NotANumber and NumberOutOfRange (past ±1e15, or a scale of 0) for a
    /// value it reads, naming the value's line; BlockPlacesItself, TooManyPlaced and
    /// NumberOutOfRange when an INSERT of ENTITIES is placed.
    void pair(SheetSection section, std::int16_t code, std::string_view value, std::int64_t line) {
        // Most pairs of an entity hold nothing that its kind reads (a handle, a layer, a
        // subclass marker, a Z): they are passed over here, without a call.
        if (code > 0 && code < kCodesTold && ((wanted_[code / 64] >> (code % 64)) & 1) == 0) return;
        take(section, code, value, line);
    }

    /// The drawing has ended: finishes what is pending and gives the sheets.
    Sheets finish();

    /// The group codes from 0 to kCodesTold - 1, one bit each, that the entity being read may
    /// take; codes past them are always handed on.
    static constexpr int kCodesTold = 512;
    using CodeSet = std::uint64_t[kCodesTold / 64];

private:
    void take(SheetSection section, std::int16_t code, std::string_view value, std::int64_t line);

    class Impl;
    std::unique_ptr<Impl> impl_;
    const std::uint64_t* wanted_; ///< the CodeSet of the entity being read
};

} // namespace dxf2csv::ruled
