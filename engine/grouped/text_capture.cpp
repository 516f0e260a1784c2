#include "grouped/text_capture.h"

#include "grouped/grouped_tables.h"
#include "messages/run_failure.h"
#include "output/run_context.h"
#include "reading/dxf_names.h"
#include "reading/text_view.h"

namespace dxf2csv {

void TextCapture::step(GroupedTables& tables, const Pair& pair, const RunContext& context) {
    const std::string_view value = pair.value;
    const std::int64_t line = pair.line;
    if (pair.code == kCodeEntity) {
        // A prefix test: TEXT matches, MTEXT and ATTRIB do not.
        capturing_ = startsWith(value, names::kText);
        if (capturing_) {
            tables.textCount = checkedAdd(tables.textCount, 1, tables.mostTexts(), context.file, line, Detail::TextCountReaches);
            // A growing table has a row for every TEXT, so that the member lookup finds rows
            // 1..recognizedCount even for a TEXT that stored nothing.
            if (!tables.limitedTexts) tables.texts.rowToStore(tables.textCount);
        }
        return;
    }
    if (!capturing_) return;

    auto rowForStore = [&]() -> TextRecord& {
        if (tables.textCount < 1 || (tables.limitedTexts && tables.textCount > kTableRows))
            throw RunFailure(FailureKind::RowOutOfRange, context.file, line, Detail::TextDoesNotFit,
                             {std::to_string(tables.textCount)});
        return tables.texts.rowToStore(tables.textCount);
    };
    switch (pair.code) {
    case kCodeHandle: rowForStore().handle.setText(value, line); break;
    case kCodeContent: rowForStore().content.setText(value, line); break;
    case kCodeX: rowForStore().x.setText(value, line); break;
    case kCodeY1: rowForStore().firstY.setText(value, line); break;
    case kCodeY2: rowForStore().secondY.setText(value, line); break;
    case kCodeVJustify: rowForStore().vAlign.setText(value, line); break;
    case kCodeHJustify: {
        const auto justify = floorDecimal(value);
        if (!justify) throw RunFailure(FailureKind::NotANumber, context.file, line, Detail::OffendingText, {quoteText(value)});
        if (*justify == kHJustifyMiddle) rowForStore().vAlign.setNumber(kVAlignCentred, line);
        break;
    }
    default: break;
    }
}

} // namespace dxf2csv
