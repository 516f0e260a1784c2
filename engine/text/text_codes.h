#pragma once
// The codes DXF writes in a text for characters it cannot or does not write as themselves.

#include <string>
#include <string_view>

namespace dxf2csv {

/// `text` (UTF-8: a drawing's text after its character set) with its codes decoded:
///   \U+XXXX   the character U+XXXX (two codes that form a surrogate pair make one character)
///   \M+nXXXX  the two bytes XXXX of code page n: 1 CP932, 2 CP950, 3 CP949, 4 CP1361, 5 CP936
///   %%c φ (the diameter, as Japanese drawings write it), %%d °, %%p ±, %%% %
///   %%nnn     the character nnn (three digits) of `codePage`, the drawing's
///   %%u %%o %%k  underline, overline and strike-through switched: dropped
/// Letters and hexadecimal digits in either case. A code that is malformed, or names no
/// character, stays as it is.
std::string decodeTextCodes(std::string_view text, int codePage);

} // namespace dxf2csv
