#pragma once
// Reads a drawing pair by pair, follows its sections and hands each pair to the step of its
// section: the TEXT capture in ENTITIES, the group step in OBJECTS, the header reading in
// HEADER. The hot loop of a run.

#include "group_step.h"
#include "line_reader.h"

#include <cstdint>
#include <string_view>

namespace dxf2csv {

struct RunContext;
struct WindowState;

enum class ScanState { Outside = 0, InEntities = 1, InObjects = 2 };

class PairScanner {
public:
    PairScanner(LineReader& lines, WindowState& state, const RunContext& context)
        : lines_(lines), state_(state), context_(context) {}

    /// Scans to the pair (0, EOF) or the end of the input.
    /// Throws RunFailure: NotANumber and NumberOutOfRange for a group code, InputEndsInsidePair,
    /// and what the steps and the reader throw.
    void run();

private:
    enum class HeaderVariable { None, Version, CodePage };

    /// Routes one pair; Stop when it ends the drawing (0, EOF).
    LineFlow pair(std::int16_t code, std::string_view value, std::int64_t valueLine);
    /// True when no quiet pair can change anything: outside a TEXT, a GROUP, the header and a
    /// section's start.
    bool quiet() const;
    void enterSection(std::string_view name);
    /// Picks up $ACADVER and $DWGCODEPAGE of the HEADER section, which decide how the report
    /// shows the texts.
    HeaderVariable readHeader(int code, std::string_view value, HeaderVariable pending);

    LineReader& lines_;
    WindowState& state_;
    const RunContext& context_;
    ScanState scan_ = ScanState::Outside;
    bool textFlag_ = false;
    bool afterSection_ = false;
    bool inHeader_ = false;
    HeaderVariable pending_ = HeaderVariable::None;
    GroupStep groupStep_;
};

} // namespace dxf2csv
