#include "text_table.h"

#include "dxf_names.h"
#include "run_context.h"
#include "run_failure.h"
#include "text_view.h"
#include "window_state.h"

namespace dxf2csv {

void TextTable::clear() {
    for (int i = 1; i <= highest_; ++i) {
        TextRecord& record = row(i);
        record.handle.clear();
        record.content.clear();
        record.x.clear();
        record.y.clear();
        record.firstY.clear();
        record.vAlign.clear();
    }
    highest_ = 0;
}

void CaptureTextField(WindowState& state, bool& textFlag, const RunContext& context) {
    const std::string_view value = state.currentLine;
    const std::int64_t line = state.currentLineNumber;
    if (state.groupCode == kCodeEntity) {
        // A prefix test: TEXT matches, MTEXT and ATTRIB do not.
        textFlag = startsWith(value, names::kText);
        if (textFlag) state.textCount = checkedAdd16(state.textCount, 1, context.file, line, Detail::TextCountReaches);
        return;
    }
    if (!textFlag) return;

    auto rowForStore = [&]() -> TextRecord& {
        if (state.textCount < 1 || state.textCount > kTableRows)
            throw RunFailure(FailureKind::RowOutOfRange, context.file, line, Detail::TextDoesNotFit,
                             {std::to_string(state.textCount)});
        state.textTable.touch(state.textCount);
        return state.textTable.row(state.textCount);
    };
    switch (state.groupCode) {
    case kCodeHandle: rowForStore().handle.setText(value, line); break;
    case kCodeContent: rowForStore().content.setText(value, line); break;
    case kCodeX: rowForStore().x.setText(value, line); break;
    case kCodeY1: rowForStore().firstY.setText(value, line); break;
    case kCodeY2: rowForStore().y.setText(value, line); break;
    case kCodeVJustify: rowForStore().vAlign.setText(value, line); break;
    case kCodeHJustify: {
        const auto justify = wholeNumber(value);
        if (!justify) throw RunFailure(FailureKind::NotANumber, context.file, line, Detail::OffendingText, {quoteText(value)});
        if (*justify == kHJustifyMiddle) rowForStore().vAlign.setNumber(kVAlignCentred, line);
        break;
    }
    default: break;
    }
}

} // namespace dxf2csv
