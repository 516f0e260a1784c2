#pragma once
// Reads a drawing pair by pair, follows its sections and hands each pair to the step of its
// section: the TEXT capture in ENTITIES and the group step in OBJECTS for grouped tables, the
// sheet reader in BLOCKS and ENTITIES for ruled ones, the header reading in HEADER. The hot
// loop of a run.

#include "grouped/group_step.h"
#include "grouped/grouped_tables.h"
#include "grouped/text_capture.h"
#include "messages/run_failure.h"
#include "reading/line_reader.h"
#include "ruled/sheet_reader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dxf2csv {

struct RunContext;

/// The section whose pairs the steps read; every other section is Other.
enum class Section { Other, Entities, Objects };

/// What one scan reads.
struct ScanPlan {
    bool groups = true;        ///< TEXTs and GROUPs, for grouped tables
    bool limitedTexts = true;  ///< with the 5000-text limit of the grouped tables
    bool rules = false;        ///< the drawn geometry, for ruled tables
};

class PairScanner {
public:
    PairScanner(LineReader& lines, const ScanPlan& plan, std::int16_t rowTolerance, const RunContext& context);

    /// Scans to the pair (0, EOF) or the end of the input.
    /// Throws RunFailure: NotANumber and NumberOutOfRange for a group code, InputEndsInsidePair,
    /// DrawingCutOff for an input that ends inside a section, and what the steps and the reader
    /// throw.
    void run();

    /// What the grouped-table steps built up.
    const GroupedTables& grouped() const noexcept { return grouped_; }
    /// The drawn geometry, when the plan reads it; once, after run().
    /// Throws RunFailure: what reading the geometry failed with.
    ruled::Sheets takeSheets();

private:
    enum class HeaderVariable { None, Version, CodePage };

    /// Routes one pair; Stop when it ends the drawing (0, EOF).
    LineFlow pair(const Pair& pair);
    /// True when no quiet pair can change anything: outside a TEXT, a GROUP, the header, a
    /// section's start, and the sections whose geometry is read.
    bool quiet() const;
    void enterSection(std::string_view name);
    /// Decides anew, after a section begins or ends, whether pairs go straight to the sheets.
    void sectionChanged();
    /// Picks up $ACADVER and $DWGCODEPAGE of the HEADER section, which decide how the report
    /// shows the texts.
    HeaderVariable readHeader(const Pair& pair, HeaderVariable pending);
    /// Hands a pair to the sheet reader; when groups are read too, a failure is kept for
    /// takeSheets() instead of ending the scan.
    void toSheets(ruled::SheetSection section, const Pair& pair);

    LineReader& lines_;
    const RunContext& context_;
    ScanPlan plan_;
    Section section_ = Section::Other;
    bool afterSection_ = false;
    bool inHeader_ = false;
    bool inBlocks_ = false;
    std::int64_t lastLine_ = 0; ///< the value line of the last pair
    bool endOfFile_ = false;    ///< the pair (0, EOF) ended the scan
    std::string openSection_;   ///< the name of the section begun and not yet ended
    HeaderVariable pending_ = HeaderVariable::None;
    GroupedTables grouped_;
    TextCapture textCapture_;
    GroupStep groupStep_;
    std::optional<ruled::SheetReader> sheets_;
    std::optional<RunFailure> rulesFailure_;
    bool direct_ = false; ///< pairs other than (0, ...) go straight to the sheet reader
    ruled::SheetSection directSection_ = ruled::SheetSection::Entities;
};

} // namespace dxf2csv
