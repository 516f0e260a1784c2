#include "ruled/hatch_outline.h"

#include "reading/group_codes.h"
#include "ruled/affine.h"
#include "ruled/curve_box.h"
#include "ruled/entity_codes.h"

#include <cmath>

namespace dxf2csv::ruled {

void HatchOutline::reset() { *this = HatchOutline(); }

void HatchOutline::add(Point p) {
    if (!hasBox_) {
        box_ = boxAt(p);
        hasBox_ = true;
    } else {
        grow(box_, p);
    }
}

void HatchOutline::add(const Box& b) {
    add(b.min);
    add(b.max);
}

void HatchOutline::endPath() {
    if (polylinePath_ && hasVertex_ && closed_ && lastBulge_ != 0) add(bulgeBox(lastVertex_, firstVertex_, lastBulge_));
    hasVertex_ = false;
    lastBulge_ = 0;
    closed_ = false;
    edgeType_ = 0;
}

void HatchOutline::point(Point p) {
    if (polylinePath_) {
        if (hasVertex_ && lastBulge_ != 0) add(bulgeBox(lastVertex_, p, lastBulge_));
        if (!hasVertex_) firstVertex_ = p;
        hasVertex_ = true;
        lastVertex_ = p;
        lastBulge_ = 0;
        add(p);
        return;
    }
    if (edgeType_ == kEdgeArc || edgeType_ == kEdgeEllipse)
        edgeCenter_ = p; // the curve's extent comes with its radius or axis
    else
        add(p);
}

void HatchOutline::take(int code, std::string_view value, std::int64_t line, const ValueReader& values) {
    if (done_) return;
    if (!inPaths_) {
        inPaths_ = code == kCodeHatchPaths;
        return;
    }
    switch (code) {
    case kCodePathFlags:
        endPath();
        polylinePath_ = (values.whole(value, line) & kPathPolyline) != 0;
        break;
    case kCodePatternStyle:
        endPath();
        done_ = true;
        break;
    case kCodeEdgeType:
        if (!polylinePath_) edgeType_ = values.whole(value, line);
        break;
    case kCodePathClosed:
        if (polylinePath_) closed_ = values.whole(value, line) != 0;
        break;
    case kCodeX: pendingX_ = values.number(value, line); break;
    case kCodeY1: point({pendingX_, values.number(value, line)}); break;
    case ruled::kCodeX2:
        if (!polylinePath_ && edgeType_ != kEdgeArc) pendingX2_ = values.number(value, line);
        break;
    case kCodeY2:
        if (polylinePath_ || edgeType_ == kEdgeArc) break;
        if (edgeType_ == kEdgeEllipse)
            add(ellipseBox(edgeCenter_, {pendingX2_, values.number(value, line)}, 1));
        else
            add(Point{pendingX2_, values.number(value, line)}); // a line's end, a spline's fit point
        break;
    case kCodeSize:
        if (!polylinePath_ && edgeType_ == kEdgeArc) add(circleBox(edgeCenter_, values.number(value, line)));
        break;
    case kCodeBulge:
        if (polylinePath_ && hasVertex_) lastBulge_ = values.number(value, line);
        break;
    default: break;
    }
}

std::optional<Box> HatchOutline::box() {
    endPath();
    if (!hasBox_) return std::nullopt;
    return box_;
}

} // namespace dxf2csv::ruled
