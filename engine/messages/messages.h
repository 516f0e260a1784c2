#pragma once
// Every text the engine shows a person, kept here and only here: the report's lines (in
// Japanese, as the drawing offices read them), and the failures' kinds and details in English
// and in Japanese, side by side in one table.

#include "messages/bilingual_text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dxf2csv {

namespace report_text {
inline constexpr std::string_view kRecognized = "認識した要素数 : ";
inline constexpr std::string_view kRecognizedLimit = "（５０００要素以下が必須！！）";
inline constexpr std::string_view kNotCentred = "警告！！垂直方向の文字位置が中央設定されていない。";
inline constexpr std::string_view kGroupCount = "計上した材料数 : ";
inline constexpr std::string_view kTotalCount = "計上した材料の総数 : ";
inline constexpr std::string_view kFinished = "処理終了";
// Tables found by their rules: one line each ({1} its number from 1, {2} rows, {3} columns,
// {4} texts), or one line saying there is none; blocks placed but never defined, each once.
inline constexpr std::string_view kRuledTable = "表{1} : {2} 行 × {3} 列、文字 {4} 個";
inline constexpr std::string_view kNoTable = "表が見つかりませんでした";
inline constexpr std::string_view kMissingBlock = "ブロックがありません : {1}";
// Tables found by their rules say so; grouped tables keep the report they always had.
inline constexpr std::string_view kFoundByRules = "表の見つけ方 : 罫線";
} // namespace report_text

enum class FailureKind : std::uint8_t {
    InputCannotBeOpened,   ///< missing, a directory, unreadable
    InputCannotBeRead,     ///< the system failed to read the drawing part way
    OutputCannotBeWritten, ///< cannot be created, written, synced or moved into place
    NotANumber,            ///< a group code, tolerance or compared value that is no number
    NumberOutOfRange,      ///< outside -32768..32767 (or past what a double holds)
    InputEndsInsidePair,   ///< the drawing ends after a group-code line
    RowOutOfRange,         ///< a store outside rows or slots 1..5000
    BinaryDxf,             ///< the drawing is a binary DXF
    OutputIsInput,         ///< the output path names the drawing itself
    LineTooLong,           ///< a line longer than any drawing holds (not a DXF)
    NotInCodePage,         ///< a cell holds a character the CSV's code page lacks
    NotInDrawingCodePage,  ///< a joined cell holds a character the drawing's code page lacks
    BlockPlacesItself,     ///< a block is placed inside itself, directly or through others
    TooManyPlaced,         ///< placing the blocks would give more elements than any sheet holds
    NotAsciiDxf,           ///< empty, or its first pair opens no DXF drawing
    DrawingCutOff,         ///< the input ends inside a section
    Unexpected,            ///< no failure of a run: a fault of the program itself; stays last
};
inline constexpr std::size_t kFailureKinds = static_cast<std::size_t>(FailureKind::Unexpected) + 1;

/// What a failure's description says beside its kind. Each has a text in each language, with
/// {1} and {2} standing for its arguments.
enum class Detail : std::uint8_t {
    None,
    OffendingText,     ///< {1}: the text, quoted
    Tolerance,         ///< {1}: the tolerance as typed, quoted
    SystemSaid,        ///< {1}: the system's words
    IsDirectory,
    ReadError,         ///< {1}: the system's words
    CannotCreateIn,    ///< {1}: the folder, {2}: the system's words
    WriteFailed,       ///< {1}: the system's words
    CannotFlush,       ///< {1}: the system's words
    CannotClose,       ///< {1}: the system's words
    CannotReplace,     ///< {1}: the system's words
    TextCountReaches,  ///< {1}: the count
    TotalReaches,      ///< {1}: the total
    NoValueLine,       ///< {1}: the group code
    TextDoesNotFit,    ///< {1}: the TEXT's number
    DrawingHasTexts,   ///< {1}: how many
    MemberDoesNotFit,  ///< {1}: the member's number, {2}: the handle, quoted
    SaveAsAscii,
    OverwritesDrawing, ///< {1}: the drawing, quoted
    NoLineEnd,         ///< {1}: the longest line allowed, in bytes
    NotInCp932,        ///< {1}: the character, quoted, {2}: its code point (U+XXXX)
    StandardOutput,    ///< {1}: the system's words
    NotInPage,         ///< {1}: the character, quoted, {2}: its code point, {3}: the code page
    BeyondBound,       ///< {1}: the number, quoted, {2}: the bound
    ZeroScale,         ///< {1}: the scale, quoted
    BlockName,         ///< {1}: the block's name, quoted
    PlacedBeyond,      ///< {1}: the block's name, quoted, {2}: the bound
    PlacementLimit,    ///< {1}: the block's name, quoted, {2}: the limit
    EmptyFile,
    FirstLine,         ///< {1}: the first line, quoted
    NoEndOfSection,    ///< {1}: the section's name, quoted; stays last
};
inline constexpr std::size_t kDetails = static_cast<std::size_t>(Detail::NoEndOfSection) + 1;

/// The kind's name: "not a number", "数値ではありません".
std::string_view kindName(FailureKind kind, Language language = Language::English);

/// The detail with its arguments put in.
std::string detailText(Detail detail, const std::vector<std::string>& args, Language language);

} // namespace dxf2csv
