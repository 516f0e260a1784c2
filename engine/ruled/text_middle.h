#pragma once
// Where the middle of a text's first line stands, from its anchor and its alignment: the
// point by which the finder tells which cell holds the text.

#include "ruled/sheet.h"

#include <optional>

namespace dxf2csv::ruled {

/// A TEXT or ATTRIB as written: its two points (10/20, 11/21) in its own plane and its
/// justifications (72, and 73 for a TEXT or 74 for an ATTRIB).
struct TextPlacement {
    Point first;
    std::optional<Point> second; ///< the alignment point, when written
    int hJustify = 0;
    int vJustify = 0;
};

/// The anchor the offset is measured from: the alignment point when the text is justified
/// otherwise than left on its baseline, the middle of its two points when it is aligned or
/// fitted between them, the first point otherwise (and when a justified text lacks its
/// alignment point).
Point textAnchor(const TextPlacement& text);

/// How far above its anchor, in text heights along the text's up direction, the middle of the
/// first line stands: baseline and bottom +1/2, middle 0, top -1/2; a text justified "middle"
/// (72 = 4) is centred on its anchor; an aligned or fitted one stands on its baseline.
double textMiddleRise(const TextPlacement& text);

/// The same for an MTEXT of `lines` lines attached by `attachment` (71: 1-3 top, 4-6 middle,
/// 7-9 bottom), its lines `spacing` times AutoCAD's default pitch of 5/3 of the height apart.
double mtextMiddleRise(int attachment, int lines, double spacing);

} // namespace dxf2csv::ruled
