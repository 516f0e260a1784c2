#pragma once
// The blocks of a drawing as their definitions hold them, and their placement on a sheet by
// the INSERTs (and AutoCAD tables) that name them, nested blocks included.

#include "ruled/affine.h"
#include "ruled/sheet.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dxf2csv {
class TextDecoder;
}

namespace dxf2csv::ruled {

/// How many elements (segments, texts, boxes, tables, and block instances themselves) the
/// placement of blocks may add to a drawing's sheets in all. A 200 MB drawing holds about five
/// million entities; twenty million placed elements is four times that and about 640 MB of
/// segments, more than any real sheet, while a drawing that nests 10 blocks 10 times each
/// (10^10 elements) fails in a second instead of running for hours.
inline constexpr std::uint64_t kMaxPlacedElements = 20'000'000;

/// A text in the coordinates of the block (or sheet) that holds it.
struct LocalText {
    Point middle;  ///< of its first line
    Point up;      ///< its up direction, of length 1 until a placement stretches it
    double height = 0; ///< > 0
    std::string text;
    std::int64_t line = 0;
};

/// An AutoCAD table in the coordinates of its own frame (see TableEntity::table), or nothing
/// when its data cannot be read and the block that draws it stands in for it.
struct LocalTable {
    std::optional<GivenTable> table;
};

/// An INSERT (or an AutoCAD table, which names its drawing block the same way).
struct Placement {
    std::uint32_t block = 0;
    /// From the block's coordinates, less its base point, to the holder's: the entity's plane,
    /// the insertion point, the rotation and the scales.
    Affine map;
    /// MINSERT: `columns` x `rows` copies, each `columnStep` and `rowStep` apart in the
    /// holder's coordinates.
    int columns = 1;
    int rows = 1;
    Point columnStep;
    Point rowStep;
    /// For an AutoCAD table, its index in the holder's tables: the table is given instead of
    /// its block wherever it stands upright.
    std::int32_t table = -1;
    std::int64_t line = 0;
};

/// What a block's definition holds, in its own coordinates.
struct BlockDefinition {
    std::string name; ///< as written
    Point base;
    bool defined = false;
    bool layout = false;
    bool reportedMissing = false;
    std::vector<Segment> segments;
    std::vector<Box> boxes;
    std::vector<LocalText> texts;
    std::vector<Placement> placements;
    std::vector<LocalTable> tables;
};

class BlockLibrary {
public:
    /// `decoder` gives the names of missing blocks in UTF-8; `file` names the drawing in failures.
    BlockLibrary(const TextDecoder& decoder, const std::string& file) : decoder_(decoder), file_(file) {}

    /// The block named `name` (as written), made undefined when first named.
    std::uint32_t idOf(std::string_view name);
    BlockDefinition& block(std::uint32_t id) { return blocks_[id]; }
    const BlockDefinition& block(std::uint32_t id) const { return blocks_[id]; }

    /// Puts `placement` on `sheet`, `parent` mapping its holder's coordinates onto the sheet
    /// and `tables` holding the holder's AutoCAD tables. Each missing block's name goes to
    /// `missing` once, in UTF-8. Nested placements are expanded on a stack of their own, never
    /// by recursion, and what a placement adds is counted before anything is placed, so a
    /// placement past the limit fails at once and takes no memory.
    /// Throws RunFailure: BlockPlacesItself naming the block that is placed inside itself,
    /// TooManyPlaced past kMaxPlacedElements, NumberOutOfRange when a placement's map grows
    /// past kMaxMagnitude.
    void place(const Placement& placement, const Affine& parent, const std::vector<LocalTable>& tables, Sheet& sheet,
               std::vector<std::string>& missing);

    /// Puts a text of a holder whose coordinates `map` takes to the sheet.
    static void putText(const LocalText& text, const Affine& map, Sheet& sheet);

private:
    struct Frame {
        std::uint32_t block;
        Affine map;
        std::uint32_t next = 0; ///< the next placement of the block to expand
        int column = 0;         ///< its next copy
        int row = 0;
    };

    /// One copy of `placement` under `holder`: a given table, or its block's contents and a
    /// frame for its nested placements.
    void expand(const Placement& placement, const Affine& holder, const std::vector<LocalTable>& tables,
                Point offset, Sheet& sheet, std::vector<std::string>& missing);
    /// How many elements one copy of block `id` adds with everything it places, up to just past
    /// kMaxPlacedElements; worked out once per block, without recursion.
    /// Throws RunFailure: BlockPlacesItself.
    std::uint64_t sizeOf(std::uint32_t id);
    std::string quotedName(std::uint32_t id) const;

    const TextDecoder& decoder_;
    const std::string& file_;
    std::vector<BlockDefinition> blocks_;
    /// Looked up by a view of the value line, without a copy.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const noexcept { return std::hash<std::string_view>{}(name); }
    };
    std::unordered_map<std::string, std::uint32_t, NameHash, std::equal_to<>> ids_;
    std::vector<Frame> stack_;
    std::vector<char> onStack_;
    std::uint64_t placed_ = 0;
    static constexpr std::uint64_t kUnknown = UINT64_MAX;
    std::vector<std::uint64_t> sizes_; ///< by block; kUnknown until worked out
    struct SizeFrame {
        std::uint32_t block;
        std::uint32_t next;
    };
    std::vector<SizeFrame> sizeStack_;
};

} // namespace dxf2csv::ruled
