#include "ruled/cell_text.h"

#include <algorithm>

namespace dxf2csv::ruled {

std::string joinCellText(std::span<const SheetText*> texts) {
    // Top to bottom; a line is the texts within reach of the first (highest) text of it.
    std::stable_sort(texts.begin(), texts.end(),
                     [](const SheetText* a, const SheetText* b) { return a->middle.y > b->middle.y; });
    std::string joined;
    bool anyLine = false;
    std::size_t first = 0;
    while (first < texts.size()) {
        const SheetText& head = *texts[first];
        std::size_t end = first + 1;
        while (end < texts.size() &&
               head.middle.y - texts[end]->middle.y <= std::min(head.height, texts[end]->height) / 2)
            ++end;
        const auto line = texts.subspan(first, end - first);
        std::stable_sort(line.begin(), line.end(),
                         [](const SheetText* a, const SheetText* b) { return a->middle.x < b->middle.x; });
        bool anyWord = false;
        for (const SheetText* t : line) {
            if (t->text.empty()) continue;
            if (!anyWord && anyLine) joined += '\n';
            if (anyWord) joined += ' ';
            joined += t->text;
            anyWord = true;
        }
        anyLine = anyLine || anyWord;
        first = end;
    }
    return joined;
}

} // namespace dxf2csv::ruled
