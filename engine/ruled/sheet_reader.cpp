#include "ruled/sheet_reader.h"

#include "reading/group_codes.h"
#include "ruled/affine.h"
#include "ruled/block_library.h"
#include "ruled/curve_box.h"
#include "ruled/entity_codes.h"
#include "ruled/hatch_outline.h"
#include "ruled/mtext_format.h"
#include "ruled/table_entity.h"
#include "ruled/text_middle.h"
#include "ruled/value_reading.h"
#include "text/text_decoder.h"
#include "reading/text_view.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace dxf2csv::ruled {
namespace {

enum class Kind : std::uint8_t {
    None, Line, LwPolyline, Polyline, Vertex, SeqEnd, Arc, Circle, Ellipse, Spline, Hatch, Solid, Face,
    Text, Mtext, Attrib, Insert, Table, Block, EndBlock, EndSection,
};

Kind kindOf(std::string_view name) {
    struct Entry {
        std::string_view name;
        Kind kind;
    };
    static constexpr Entry kEntries[] = {
        {names::kLine, Kind::Line},       {names::kLwPolyline, Kind::LwPolyline}, {names::kText, Kind::Text},
        {names::kInsert, Kind::Insert},   {names::kAttrib, Kind::Attrib},         {names::kMtext, Kind::Mtext},
        {names::kPolyline, Kind::Polyline}, {names::kVertex, Kind::Vertex},       {names::kSeqEnd, Kind::SeqEnd},
        {names::kArc, Kind::Arc},         {names::kCircle, Kind::Circle},         {names::kEllipse, Kind::Ellipse},
        {names::kSpline, Kind::Spline},   {names::kHatch, Kind::Hatch},           {names::kSolid, Kind::Solid},
        {names::kTrace, Kind::Solid},     {names::kFace, Kind::Face},             {names::kTable, Kind::Table},
        {names::kBlock, Kind::Block},     {names::kEndBlock, Kind::EndBlock},     {names::kEndSection, Kind::EndSection},
    };
    name = trimBlanks(name);
    for (const Entry& e : kEntries)
        if (name == e.name) return e.kind;
    return Kind::None;
}

// The fields a kind of entity reads, so that no other value is parsed.
enum Field : std::uint32_t {
    kP0 = 1u << 0, kP1 = 1u << 1, kP2 = 1u << 2, kP3 = 1u << 3,
    kF40 = 1u << 4, kF41 = 1u << 5, kF42 = 1u << 6, kF44 = 1u << 7, kF45 = 1u << 8, kF50 = 1u << 9, kF51 = 1u << 10,
    kF70 = 1u << 11, kF71 = 1u << 12, kF72 = 1u << 13, kF73 = 1u << 14, kF74 = 1u << 15,
    kExtrusion = 1u << 16, kContent = 1u << 17, kBlockName = 1u << 18,
};

constexpr std::uint32_t fieldsOf(Kind kind) {
    switch (kind) {
    case Kind::Line: return kP0 | kP1;
    case Kind::LwPolyline: return kF70 | kExtrusion; // and its vertices
    case Kind::Polyline: return kF70 | kExtrusion;
    case Kind::Vertex: return kP0 | kF42;
    case Kind::Arc: return kP0 | kF40 | kF50 | kF51 | kExtrusion;
    case Kind::Circle: return kP0 | kF40 | kExtrusion;
    case Kind::Ellipse: return kP0 | kP1 | kF40;
    case Kind::Solid: return kP0 | kP1 | kP2 | kP3 | kExtrusion;
    case Kind::Face: return kP0 | kP1 | kP2 | kP3;
    case Kind::Text: return kContent | kP0 | kP1 | kF40 | kF50 | kF71 | kF72 | kF73 | kExtrusion;
    case Kind::Attrib: return kContent | kP0 | kP1 | kF40 | kF50 | kF70 | kF71 | kF72 | kF74 | kExtrusion;
    case Kind::Mtext: return kContent | kP0 | kP1 | kF40 | kF44 | kF50 | kF71 | kExtrusion;
    case Kind::Insert: return kBlockName | kP0 | kF41 | kF42 | kF44 | kF45 | kF50 | kF70 | kF71 | kExtrusion;
    case Kind::Block: return kBlockName | kP0;
    case Kind::Hatch:
    case Kind::Table: return kExtrusion; // and what their readers take
    default: return 0;
    }
}

/// The codes that take() may act on for an entity of `kind`: those of its fields, those that
/// every entity reads, and those that its own reading takes. Any other code changes nothing.
struct WantedCodes {
    std::uint64_t bits[SheetReader::kCodesTold / 64] = {};

    constexpr void add(int code) { bits[code / 64] |= std::uint64_t{1} << (code % 64); }
    constexpr void addAll() {
        for (std::uint64_t& b : bits) b = ~std::uint64_t{0};
    }
};

constexpr WantedCodes wantedCodesOf(Kind kind) {
    WantedCodes w;
    if (kind == Kind::None) return w; // nothing is read
    // Their own readers take codes of every kind.
    if (kind == Kind::Spline || kind == Kind::Hatch || kind == Kind::Table) {
        w.addAll();
        return w;
    }
    for (const int code : {kCodeEmbedded, kCodeSpace, kCodeVisibility}) w.add(code);
    const std::uint32_t mask = fieldsOf(kind);
    struct FieldCodes {
        std::uint32_t field;
        int codes[3];
    };
    constexpr FieldCodes kFieldCodes[] = {
        {kContent, {kCodeContent, -1, -1}},   {kBlockName, {kCodeName, -1, -1}},
        {kP0, {kCodeX, kCodeY1, -1}},         {kP1, {kCodeX2, kCodeY2, -1}},
        {kP2, {kCodeX3, kCodeY3, -1}},        {kP3, {kCodeX4, kCodeY4, -1}},
        {kF40, {kCodeSize, -1, -1}},          {kF41, {kCodeScaleX, -1, -1}},
        {kF42, {kCodeScaleY, -1, -1}},        {kF44, {kCodeColumnSpacing, -1, -1}},
        {kF45, {kCodeRowSpacing, -1, -1}},    {kF50, {kCodeAngle, -1, -1}},
        {kF51, {kCodeEndAngle, -1, -1}},      {kF70, {kCodeFlags, -1, -1}},
        {kF71, {kCodeAttachment, -1, -1}},    {kF72, {kCodeHJustify, -1, -1}},
        {kF73, {kCodeVJustify, -1, -1}},      {kF74, {kCodeAttribVJustify, -1, -1}},
        {kExtrusion, {kCodeExtrusionX, kCodeExtrusionY, kCodeExtrusionZ}},
    };
    for (const FieldCodes& f : kFieldCodes) {
        if ((mask & f.field) == 0) continue;
        for (const int code : f.codes)
            if (code >= 0) w.add(code);
    }
    if (kind == Kind::LwPolyline)
        for (const int code : {kCodeX, kCodeY1, kCodeBulge}) w.add(code);
    if (kind == Kind::Mtext)
        for (const int code : {kCodeTextPiece, kCodeMtextColumns, kCodeAngle}) w.add(code);
    return w;
}

constexpr std::size_t kKinds = static_cast<std::size_t>(Kind::EndSection) + 1;

constexpr auto kWantedCodes = [] {
    std::array<WantedCodes, kKinds> all{};
    for (std::size_t k = 0; k < kKinds; ++k) all[k] = wantedCodesOf(static_cast<Kind>(k));
    return all;
}();

struct Vertex {
    Point p;
    double bulge = 0;
};

/// The values of the entity being read, as far as its kind reads them.
struct Fields {
    Point p[4];
    bool hasX[4] = {};
    bool hasY[4] = {};
    double size = 0;
    bool hasSize = false;
    double scaleX = 1;
    double scaleY = 1;
    double bulge = 0;
    double spacingX = 0;
    double spacingY = 0;
    bool hasSpacing = false;
    double angle = 0;
    bool hasAngle = false;
    double endAngle = 0;
    int flags = 0;
    int n71 = 0;
    bool has70 = false;
    bool has71 = false;
    int hJustify = 0;
    int vJustify = 0;
    Extrusion extrusion;
    bool paper = false;
    bool invisible = false;
    bool ended = false;   ///< past a (101) embedded object, whose codes are not the entity's
    bool columns = false; ///< MTEXT past its column type: its later 50s are column heights
    std::string content;  ///< raw, MTEXT pieces first
    std::string name;     ///< raw

    void reset() {
        std::string keepContent = std::move(content);
        std::string keepName = std::move(name);
        *this = Fields();
        content = std::move(keepContent);
        name = std::move(keepName);
        content.clear();
        name.clear();
    }
    bool has(int i) const { return hasX[i] && hasY[i]; }
};

/// What a pending POLYLINE or INSERT needs when its sequence ends.
struct OpenPolyline {
    bool open = false;
    int flags = 0;
    Affine plane;
    bool paper = false;
    bool invisible = false;
};

struct OpenInsert {
    bool open = false;
    Placement placement;
    bool paper = false;
    bool invisible = false;
};

Box boxOf(const std::vector<Vertex>& vertices, bool closed, bool withArcs) {
    Box box = boxAt(vertices.front().p);
    const std::size_t n = vertices.size();
    for (std::size_t i = 0; i < n; ++i) {
        grow(box, vertices[i].p);
        if (!withArcs || vertices[i].bulge == 0 || (i + 1 == n && !closed)) continue;
        const Box arc = bulgeBox(vertices[i].p, vertices[(i + 1) % n].p, vertices[i].bulge);
        grow(box, arc.min);
        grow(box, arc.max);
    }
    return box;
}

} // namespace

class SheetReader::Impl {
public:
    Impl(const TextDecoder& decoder, const std::string& file) : decoder_(decoder), values_(file), library_(decoder, file) {}

    void pair(SheetSection section, std::int16_t code, std::string_view value, std::int64_t line) {
        if (code == kCodeEntity) {
            endEntity();
            beginEntity(section, value, line);
            return;
        }
        if (kind_ == Kind::None || fields_.ended) return;
        take(code, value, line);
    }

    /// The codes that the entity being read may take.
    const std::uint64_t* wanted() const { return kWantedCodes[static_cast<std::size_t>(kind_)].bits; }

    Sheets finish() {
        endEntity();
        kind_ = Kind::None;
        closeSequences();
        return std::move(sheets_);
    }

private:
    // --- reading ---------------------------------------------------------------------------

    void beginEntity(SheetSection section, std::string_view name, std::int64_t line) {
        Kind kind = kindOf(name);
        if (section != section_) {
            closeSequences();
            block_.reset();
            section_ = section;
        }
        // A VERTEX or an ATTRIB belongs to the sequence before it; alone it belongs to nothing.
        if (kind == Kind::Vertex) {
            if (!polyline_.open) kind = Kind::None;
        } else if (kind == Kind::Attrib) {
            if (!insert_.open) kind = Kind::None;
        } else {
            closeSequences();
        }
        switch (kind) {
        case Kind::SeqEnd: kind = Kind::None; break;
        case Kind::EndBlock:
        case Kind::EndSection:
            block_.reset();
            kind = Kind::None;
            break;
        case Kind::Block:
            block_.reset();
            if (section != SheetSection::Blocks) kind = Kind::None;
            break;
        default:
            // Between a BLOCKS section's ENDBLK and the next BLOCK nothing is drawn.
            if (section == SheetSection::Blocks && !block_) kind = Kind::None;
            break;
        }
        kind_ = kind;
        mask_ = fieldsOf(kind);
        entityLine_ = line;
        if (kind == Kind::None) return;
        fields_.reset();
        if (kind == Kind::LwPolyline) vertices_.clear();
        if (kind == Kind::Spline) hasBox_ = false;
        if (kind == Kind::Hatch) hatch_.reset();
        if (kind == Kind::Table) table_.reset();
    }

    void take(int code, std::string_view value, std::int64_t line) {
        Fields& f = fields_;
        switch (kind_) {
        case Kind::LwPolyline:
            if (code == kCodeX) {
                vertices_.push_back({{values_.number(value, line), 0}, 0});
                return;
            }
            if (code == kCodeY1) {
                if (!vertices_.empty()) vertices_.back().p.y = values_.number(value, line);
                return;
            }
            if (code == kCodeBulge) {
                if (!vertices_.empty()) vertices_.back().bulge = values_.number(value, line);
                return;
            }
            break;
        case Kind::Spline:
            if (code == kCodeX || code == kCodeX2) {
                pendingX_ = values_.number(value, line);
                return;
            }
            if (code == kCodeY1 || code == kCodeY2) {
                addToBox({pendingX_, values_.number(value, line)});
                return;
            }
            break;
        case Kind::Hatch: hatch_.take(code, value, line, values_); break;
        case Kind::Table: table_.take(code, value, line, values_); break;
        case Kind::Mtext:
            if (code == kCodeTextPiece) {
                f.content.append(value);
                return;
            }
            if (code == kCodeMtextColumns) f.columns = true;
            if (code == kCodeAngle && (f.hasAngle || f.columns)) return;
            break;
        default: break;
        }
        switch (code) {
        case kCodeEmbedded: f.ended = true; return;
        case kCodeSpace:
            if (section_ == SheetSection::Entities) f.paper = values_.whole(value, line) != 0;
            return;
        case kCodeVisibility: f.invisible = values_.whole(value, line) != 0; return;
        default: break;
        }
        const std::uint32_t mask = mask_;
        switch (code) {
        case kCodeContent:
            if (mask & kContent) f.content.append(value);
            break;
        case kCodeName:
            if (mask & kBlockName) f.name.assign(value);
            break;
        case kCodeX: point(0, true, value, line, kP0); break;
        case kCodeY1: point(0, false, value, line, kP0); break;
        case kCodeX2: point(1, true, value, line, kP1); break;
        case kCodeY2: point(1, false, value, line, kP1); break;
        case kCodeX3: point(2, true, value, line, kP2); break;
        case kCodeY3: point(2, false, value, line, kP2); break;
        case kCodeX4: point(3, true, value, line, kP3); break;
        case kCodeY4: point(3, false, value, line, kP3); break;
        case kCodeSize:
            if (mask & kF40) {
                f.size = values_.number(value, line);
                f.hasSize = true;
            }
            break;
        case kCodeScaleX:
            if (mask & kF41) f.scaleX = values_.scale(value, line);
            break;
        case kCodeScaleY: // an INSERT's Y scale, a VERTEX's bulge
            if (!(mask & kF42)) break;
            if (kind_ == Kind::Insert)
                f.scaleY = values_.scale(value, line);
            else
                f.bulge = values_.number(value, line);
            break;
        case kCodeColumnSpacing: // an MTEXT's line spacing too
            if (mask & kF44) {
                f.spacingX = values_.number(value, line);
                f.hasSpacing = true;
            }
            break;
        case kCodeRowSpacing:
            if (mask & kF45) f.spacingY = values_.number(value, line);
            break;
        case kCodeAngle:
            if (mask & kF50) {
                f.angle = values_.number(value, line);
                f.hasAngle = true;
            }
            break;
        case kCodeEndAngle:
            if (mask & kF51) f.endAngle = values_.number(value, line);
            break;
        case kCodeFlags:
            if (mask & kF70) {
                f.flags = values_.whole(value, line);
                f.has70 = true;
            }
            break;
        case kCodeAttachment:
            if (mask & kF71) {
                f.n71 = values_.whole(value, line);
                f.has71 = true;
            }
            break;
        case kCodeHJustify:
            if (mask & kF72) f.hJustify = values_.whole(value, line);
            break;
        case kCodeVJustify:
            if (mask & kF73) f.vJustify = values_.whole(value, line);
            break;
        case kCodeAttribVJustify:
            if (mask & kF74) f.vJustify = values_.whole(value, line);
            break;
        case kCodeExtrusionX:
            if (mask & kExtrusion) f.extrusion.x = values_.number(value, line);
            break;
        case kCodeExtrusionY:
            if (mask & kExtrusion) f.extrusion.y = values_.number(value, line);
            break;
        case kCodeExtrusionZ:
            if (mask & kExtrusion) f.extrusion.z = values_.number(value, line);
            break;
        default: break;
        }
    }

    void point(int i, bool isX, std::string_view value, std::int64_t line, std::uint32_t field) {
        if (!(mask_ & field)) return;
        const double v = values_.number(value, line);
        if (isX) {
            fields_.p[i].x = v;
            fields_.hasX[i] = true;
        } else {
            fields_.p[i].y = v;
            fields_.hasY[i] = true;
        }
    }

    void addToBox(Point p) {
        if (!hasBox_) {
            box_ = boxAt(p);
            hasBox_ = true;
        } else {
            grow(box_, p);
        }
    }

    // --- building --------------------------------------------------------------------------

    void endEntity() {
        const Kind kind = kind_;
        kind_ = Kind::None;
        if (kind == Kind::None) return;
        const Fields& f = fields_;
        if (kind == Kind::Block) {
            startBlock();
            return;
        }
        if (kind == Kind::Attrib) {
            if (!insert_.invisible && !f.invisible && (f.flags & kAttribInvisible) == 0) textEntity(kind, insert_.paper);
            return;
        }
        if (kind == Kind::Vertex) {
            if (f.has(0)) vertices_.push_back({f.p[0], f.bulge});
            return;
        }
        if (kind == Kind::Polyline) {
            polyline_ = {true, f.flags, entityPlane(f.extrusion), f.paper, f.invisible};
            vertices_.clear();
            return;
        }
        if (kind == Kind::Insert) {
            insert_ = {true, insertPlacement(), f.paper, f.invisible};
            return;
        }
        if (f.invisible) return;
        // A LINE, the most frequent entity, is in world coordinates: it needs no plane.
        if (kind == Kind::Line) {
            if (f.has(0) && f.has(1)) addSegment(f.p[0], f.p[1], f.paper);
            return;
        }
        const Affine plane = entityPlane(f.extrusion);
        switch (kind) {
        case Kind::LwPolyline: addPolyline(f.flags, plane, f.paper); break;
        case Kind::Arc:
            if (f.has(0)) addBox(mapBox(plane, arcBox(f.p[0], f.size, f.angle, f.endAngle)), f.paper);
            break;
        case Kind::Circle:
            if (f.has(0)) addBox(mapBox(plane, circleBox(f.p[0], f.size)), f.paper);
            break;
        case Kind::Ellipse:
            // Without its ratio the ellipse is taken as the circle of its major axis, which holds it.
            if (f.has(0) && f.has(1)) addBox(ellipseBox(f.p[0], f.p[1], f.hasSize ? f.size : 1), f.paper);
            break;
        case Kind::Spline:
            if (hasBox_) addBox(box_, f.paper);
            break;
        case Kind::Solid:
        case Kind::Face: {
            std::optional<Box> box;
            for (int i = 0; i < 4; ++i) {
                if (!f.has(i)) continue;
                if (!box) box = boxAt(f.p[i]);
                else grow(*box, f.p[i]);
            }
            if (box) addBox(kind == Kind::Solid ? mapBox(plane, *box) : *box, f.paper);
            break;
        }
        case Kind::Hatch:
            if (const auto box = hatch_.box()) addBox(mapBox(plane, *box), f.paper);
            break;
        case Kind::Text:
        case Kind::Mtext: textEntity(kind, f.paper); break;
        case Kind::Table: addTable(plane, f.paper); break;
        default: break;
        }
    }

    void startBlock() {
        const std::uint32_t id = library_.idOf(fields_.name);
        BlockDefinition& block = library_.block(id);
        // A second definition of a name, and a layout's, hold nothing that an INSERT places.
        if (block.defined || block.layout) {
            block_ = kDiscard;
            return;
        }
        block.defined = true;
        block.base = fields_.p[0];
        block_ = id;
    }

    Placement insertPlacement() {
        const Fields& f = fields_;
        Placement placement;
        placement.block = library_.idOf(f.name);
        placement.line = entityLine_;
        const Affine plane = entityPlane(f.extrusion);
        const Affine inner = Affine::translation(f.p[0]).after(Affine::turnAndScale(f.angle, f.scaleX, f.scaleY));
        placement.map = plane.after(inner);
        // A MINSERT: counts below 1 are read as 1, a single copy.
        placement.columns = f.has70 ? std::max(1, f.flags) : 1;
        placement.rows = f.has71 ? std::max(1, f.n71) : 1;
        const Point along = directionOf(f.angle);
        placement.columnStep = plane.turn({along.x * f.spacingX, along.y * f.spacingX});
        placement.rowStep = plane.turn({-along.y * f.spacingY, along.x * f.spacingY});
        return placement;
    }

    void textEntity(Kind kind, bool paper) {
        const Fields& f = fields_;
        if (!f.has(0) || !f.hasSize || !(f.size > 0)) return;
        LocalText text;
        text.height = f.size;
        text.line = entityLine_;
        if (kind == Kind::Mtext) {
            text.text = readMtextContents(decoder_.toUtf8(f.content), decoder_.codePageForCodes());
            if (text.text.empty()) return;
            const auto lines = static_cast<int>(std::count(text.text.begin(), text.text.end(), '\n')) + 1;
            // The line spacing factor is valid from 0.25 to 4; AutoCAD keeps it there.
            const double spacing = f.hasSpacing ? std::clamp(f.spacingX, 0.25, 4.0) : 1.0;
            const double rise = mtextMiddleRise(f.has71 ? f.n71 : 1, lines, spacing);
            // Its direction (11/21) is in world coordinates and wins over its rotation (50),
            // which turns in its own plane; its up direction is the extrusion crossed with it.
            const Affine plane = entityPlane(f.extrusion);
            Point direction = plane.turn(directionOf(f.angle));
            if (f.has(1) && (f.p[1].x != 0 || f.p[1].y != 0)) {
                const double length = std::hypot(f.p[1].x, f.p[1].y);
                direction = {f.p[1].x / length, f.p[1].y / length};
            }
            const Extrusion& e = f.extrusion;
            const double n = std::sqrt(e.x * e.x + e.y * e.y + e.z * e.z);
            const double nz = n == 0 ? 1 : e.z / n;
            text.up = {-nz * direction.y, nz * direction.x};
            text.middle = {f.p[0].x + text.up.x * rise * f.size, f.p[0].y + text.up.y * rise * f.size};
        } else {
            text.text = decoder_.decode(f.content);
            if (text.text.empty()) return;
            TextPlacement placement{f.p[0], std::nullopt, f.hJustify, f.vJustify};
            if (f.has(1)) placement.second = f.p[1];
            const Point anchor = textAnchor(placement);
            const double rise = textMiddleRise(placement);
            const Point along = directionOf(f.angle);
            Point up = {-along.y, along.x};
            if (kind == Kind::Text && (f.n71 & kTextUpsideDown) != 0) up = {-up.x, -up.y};
            const Point middle = {anchor.x + up.x * rise * f.size, anchor.y + up.y * rise * f.size};
            const Affine plane = entityPlane(f.extrusion);
            text.middle = plane.apply(middle);
            text.up = plane.turn(up);
        }
        if (inBlocks()) {
            if (BlockDefinition* block = holder()) block->texts.push_back(std::move(text));
            return;
        }
        BlockLibrary::putText(text, Affine(), sheet(paper));
    }

    void addTable(const Affine& plane, bool paper) {
        Point direction = table_.direction();
        const double length = std::hypot(direction.x, direction.y);
        // A zero direction turns nothing: the table's rows run along X.
        direction = length == 0 ? Point{1, 0} : Point{direction.x / length, direction.y / length};
        const Point at = table_.insertion();
        Placement placement;
        placement.block = library_.idOf(table_.blockName());
        placement.line = entityLine_;
        placement.map = plane.after(Affine{direction.x, -direction.y, direction.y, direction.x, at.x, at.y});
        LocalTable local{table_.table(decoder_, entityLine_)};
        if (inBlocks()) {
            BlockDefinition* block = holder();
            if (block == nullptr) return;
            placement.table = static_cast<std::int32_t>(block->tables.size());
            block->tables.push_back(std::move(local));
            block->placements.push_back(placement);
            return;
        }
        entityTables_.clear();
        entityTables_.push_back(std::move(local));
        placement.table = 0;
        library_.place(placement, Affine(), entityTables_, sheet(paper), sheets_.missingBlocks);
    }

    void addPolyline(int flags, const Affine& plane, bool paper) {
        if (vertices_.empty()) return;
        const bool closed = (flags & kPolylineClosed) != 0;
        if ((flags & (kPolylineMesh | kPolyfaceMesh)) != 0) return; // meshes are no sheet's lines
        if ((flags & kPolyline3d) != 0) {
            addBox(boxOf(vertices_, closed, false), paper); // its vertices are world points
            return;
        }
        if ((flags & (kPolylineCurveFit | kPolylineSplineFit)) != 0) {
            addBox(mapBox(plane, boxOf(vertices_, closed, true)), paper);
            return;
        }
        const std::size_t n = vertices_.size();
        const std::size_t pieces = closed ? n : n - 1;
        for (std::size_t i = 0; i < pieces; ++i) {
            const Vertex& from = vertices_[i];
            const Vertex& to = vertices_[(i + 1) % n];
            if (from.p.x == to.p.x && from.p.y == to.p.y) continue;
            if (from.bulge == 0)
                addSegment(plane.apply(from.p), plane.apply(to.p), paper);
            else
                addBox(mapBox(plane, bulgeBox(from.p, to.p, from.bulge)), paper);
        }
    }

    void closeSequences() {
        if (polyline_.open) {
            polyline_.open = false;
            if (!polyline_.invisible) addPolyline(polyline_.flags, polyline_.plane, polyline_.paper);
            vertices_.clear();
        }
        if (insert_.open) {
            insert_.open = false;
            if (insert_.invisible) return;
            if (inBlocks()) {
                if (BlockDefinition* block = holder()) block->placements.push_back(insert_.placement);
                return;
            }
            library_.place(insert_.placement, Affine(), noTables_, sheet(insert_.paper), sheets_.missingBlocks);
        }
    }

    // --- where things go -------------------------------------------------------------------

    bool inBlocks() const { return section_ == SheetSection::Blocks; }
    /// The definition that the entities being read in BLOCKS go to; none outside a block and
    /// for a block whose contents are not kept. Asked anew each time: naming a new block
    /// moves the definitions.
    BlockDefinition* holder() {
        if (!block_ || *block_ == kDiscard) return nullptr;
        return &library_.block(*block_);
    }
    Sheet& sheet(bool paper) { return paper ? sheets_.paper : sheets_.model; }

    void addSegment(const Point& a, const Point& b, bool paper) {
        if (a.x == b.x && a.y == b.y) return; // draws nothing
        if (inBlocks()) {
            if (BlockDefinition* block = holder()) block->segments.push_back({a, b});
            return;
        }
        sheet(paper).addSegment(a, b);
    }

    void addBox(const Box& box, bool paper) {
        if (inBlocks()) {
            if (BlockDefinition* block = holder()) block->boxes.push_back(box);
            return;
        }
        sheet(paper).addDrawn(box);
    }

    /// The block being defined in BLOCKS; kDiscard for one whose contents are not kept.
    static constexpr std::uint32_t kDiscard = UINT32_MAX;

    const TextDecoder& decoder_;
    ValueReader values_;
    BlockLibrary library_;
    Sheets sheets_;
    SheetSection section_ = SheetSection::Blocks;
    std::optional<std::uint32_t> block_;
    Kind kind_ = Kind::None;
    std::uint32_t mask_ = 0;
    std::int64_t entityLine_ = 0;
    Fields fields_;
    std::vector<Vertex> vertices_;
    OpenPolyline polyline_;
    OpenInsert insert_;
    HatchOutline hatch_;
    TableEntity table_;
    double pendingX_ = 0;
    bool hasBox_ = false;
    Box box_;
    std::vector<LocalTable> entityTables_;
    const std::vector<LocalTable> noTables_;
};

SheetReader::SheetReader(const TextDecoder& decoder, const std::string& file)
    : impl_(std::make_unique<Impl>(decoder, file)), wanted_(impl_->wanted()) {}

SheetReader::~SheetReader() = default;

void SheetReader::take(SheetSection section, std::int16_t code, std::string_view value, std::int64_t line) {
    impl_->pair(section, code, value, line);
    wanted_ = impl_->wanted();
}

Sheets SheetReader::finish() { return impl_->finish(); }

} // namespace dxf2csv::ruled
