#pragma once
// The capture step of the ENTITIES section: one TextTable row per TEXT entity.

#include "group_codes.h"
#include "run_context.h"
#include "window_state.h"

namespace dxf2csv {

/// Handles one pair (state.groupCode, state.currentLine) inside ENTITIES. A (0, TEXT...) pair
/// opens the next row; while `textFlag` holds, groups 5, 1, 10, 21 and 73 are stored as read
/// and a 72 of 4 stores the number 2 in vAlign.
/// Throws RunFailure: NumberOutOfRange past 32767 TEXTs, RowOutOfRange for a store into row
/// 5001, NotANumber for a 72 value that is no number.
void CaptureTextField(WindowState& state, bool& textFlag, const RunContext& context);

/// CaptureTextField for the scan loop: most pairs of ENTITIES belong to other entities and
/// change nothing, so they are let go without a call.
inline void captureTextPair(WindowState& state, bool& textFlag, const RunContext& context) {
    if (textFlag || state.groupCode == kCodeEntity) CaptureTextField(state, textFlag, context);
}

} // namespace dxf2csv
