#pragma once
// The DXF group codes this system reads.

namespace dxf2csv {

inline constexpr int kCodeEntity = 0;      ///< starts an entity, object or section marker
inline constexpr int kCodeContent = 1;     ///< TEXT string; also the value of $ACADVER
inline constexpr int kCodeName = 2;        ///< section name after (0, SECTION)
inline constexpr int kCodeCodePage = 3;    ///< value of $DWGCODEPAGE
inline constexpr int kCodeHandle = 5;      ///< entity handle
inline constexpr int kCodeVariable = 9;    ///< header variable name
inline constexpr int kCodeX = 10;          ///< X of the first alignment point
inline constexpr int kCodeY1 = 20;         ///< Y of the first alignment point
inline constexpr int kCodeY2 = 21;         ///< Y of the second alignment point
inline constexpr int kCodeHJustify = 72;   ///< horizontal justification
inline constexpr int kCodeVJustify = 73;   ///< vertical justification
inline constexpr int kCodeMember = 340;    ///< GROUP member handle
inline constexpr int kCodeComment = 999;   ///< a comment, which a drawing may begin with

inline constexpr int kHJustifyMiddle = 4;  ///< 72 value that centres the text both ways
inline constexpr int kVAlignCentred = 2;   ///< vAlign value that counts as vertically centred

} // namespace dxf2csv
