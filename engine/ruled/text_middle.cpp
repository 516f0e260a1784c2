#include "ruled/text_middle.h"

#include "reading/group_codes.h"
#include "ruled/entity_codes.h"

namespace dxf2csv::ruled {
namespace {

constexpr int kVJustifyMiddle = 2;
constexpr int kVJustifyTop = 3;
/// AutoCAD's default distance between MTEXT lines, in text heights.
constexpr double kDefaultLinePitch = 5.0 / 3.0;

bool alignedBetweenPoints(int hJustify) { return hJustify == kHJustifyAligned || hJustify == kHJustifyFit; }

} // namespace

Point textAnchor(const TextPlacement& text) {
    if (!text.second || (text.hJustify == 0 && text.vJustify == 0)) return text.first;
    if (alignedBetweenPoints(text.hJustify))
        return {(text.first.x + text.second->x) / 2, (text.first.y + text.second->y) / 2};
    return *text.second;
}

double textMiddleRise(const TextPlacement& text) {
    if (text.hJustify == kHJustifyMiddle) return 0;
    if (alignedBetweenPoints(text.hJustify)) return 0.5;
    switch (text.vJustify) {
    case kVJustifyMiddle: return 0;
    case kVJustifyTop: return -0.5;
    default: return 0.5;
    }
}

double mtextMiddleRise(int attachment, int lines, double spacing) {
    const double below = (lines - 1) * kDefaultLinePitch * spacing; // first line's middle to last line's
    switch ((attachment - 1) / 3) {
    case 1: return below / 2;       // middle: the block of lines centred on the point
    case 2: return below + 0.5;     // bottom: the last line's bottom on the point
    default: return -0.5;           // top
    }
}

} // namespace dxf2csv::ruled
