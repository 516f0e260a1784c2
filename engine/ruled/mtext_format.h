#pragma once
// The contents of an MTEXT (and of an AutoCAD table's cell) as they read, its formatting
// codes taken off.

#include <string>
#include <string_view>

namespace dxf2csv::ruled {

/// `text` (UTF-8) as it reads:
///   \P (and the column break \N) a line feed "\n"; \~ a space; \\ \{ \} the characters;
///   ^I a tab, ^J a line feed, "^ " a caret, and the other control characters written with ^
///   (^@ to ^_) gone;
///   \S1^2; \S1/2; \S1#2; the fraction "1/2";
///   \f..; \F..; \H..; \W..; \C..; \c..; \Q..; \T..; \A..; \p..; (font, height, width, colour,
///   slant, tracking, alignment, paragraph) and \L \l \O \o \K \k \X gone, and the braces that
///   group them.
/// What is left has its character codes (\U+XXXX, \M+nXXXX, %%c, ...) decoded as
/// decodeTextCodes does with `codePage`; a character written escaped (\\) is never read as the
/// start of a code. A code cut off before its ';', or one that is no formatting code, stays
/// as written.
std::string readMtextContents(std::string_view text, int codePage);

} // namespace dxf2csv::ruled
