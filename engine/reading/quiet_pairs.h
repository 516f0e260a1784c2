#pragma once
// The pairs of a drawing that can change nothing while the scan is outside a TEXT, a GROUP and
// the header, and the skipper that passes over them many bytes at a time.
//
// A pair is quiet when its group-code line is blanks, then one to four digits without a
// leading zero ("  8", "330"), other than 0: a plain code that is no entity's start; or when
// it is 0 before a value that begins with a byte that begins none of the names that matter
// after code 0 (TEXT, GROUP and the section markers; see names::kActiveAfterCode0) and is not
// empty: the start of an entity or object of another kind. Every other pair is loud.

#include "reading/line_reader.h"

namespace dxf2csv {

/// Passes over the quiet pairs from `begin`, which starts a group-code line, up to the first
/// pair that is loud or not whole in data[begin, end), with the instruction set of the
/// processor (within the limit a test set when the reader was made).
LineSkipper quietPairSkipper() noexcept;

} // namespace dxf2csv
