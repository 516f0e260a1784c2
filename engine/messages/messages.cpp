#include "messages/messages.h"

#include <iterator>

namespace dxf2csv {
namespace {

constexpr BilingualText kKindNames[] = {
    {"cannot open input", "入力ファイルを開けません"},
    {"cannot read input", "入力ファイルを読めません"},
    {"cannot write output", "出力ファイルを書けません"},
    {"not a number", "数値ではありません"},
    {"number out of range", "数値が範囲外です"},
    {"input ends inside a pair", "グループコードと値の組の途中で入力が終わっています"},
    {"row outside 1..5000", "行番号が 1..5000 の範囲外です"},
    {"binary DXF", "バイナリ DXF です"},
    {"output is the input", "出力先が入力ファイルです"},
    {"line too long", "行が長すぎます"},
    {"character not in CP932", "CP932 にない文字です"},
    {"character not in the drawing's code page", "図面の文字コードにない文字です"},
    {"block places itself", "ブロックが自分自身を挿入しています"},
    {"too many placed elements", "ブロックの配置で図形が多すぎます"},
    {"not an ASCII DXF drawing", "ASCII DXF の図面ではありません"},
    {"drawing cut off", "図面が途中で切れています"},
    {"unexpected failure", "予期しない失敗です"},
};
static_assert(std::size(kKindNames) == kFailureKinds, "one name for each FailureKind, in its order");

constexpr BilingualText kDetailPatterns[] = {
    {"", ""},
    {"{1}", "{1}"},
    {"tolerance {1}", "許容値 {1}"},
    {"{1}", "{1}"},
    {"is a directory", "フォルダーです"},
    {"read error: {1}", "読み込みエラー: {1}"},
    {"cannot create a file in {1}: {2}", "{1} にファイルを作れません: {2}"},
    {"write failed: {1}", "書き込みに失敗しました: {1}"},
    {"cannot flush to disk: {1}", "ディスクに書き出せません: {1}"},
    {"cannot close: {1}", "閉じられません: {1}"},
    {"cannot replace the file: {1}", "ファイルを置き換えられません: {1}"},
    {"TEXT count reaches {1}", "TEXT の数が {1} になります"},
    {"total count reaches {1}", "総数が {1} になります"},
    {"group code {1} has no value line", "グループコード {1} の値の行がありません"},
    {"TEXT number {1} does not fit the table", "{1} 番目の TEXT は表に入りません"},
    {"the drawing has {1} TEXT entities", "図面に TEXT が {1} 個あります"},
    {"GROUP member {1} for handle {2}", "ハンドル {2} の GROUP メンバー {1} 番目は入りません"},
    {"this is a binary DXF; save the drawing as ASCII DXF and convert that",
     "バイナリ DXF は読めません。図面を ASCII DXF で保存してから変換してください"},
    {"the output would overwrite the drawing {1}", "図面 {1} を上書きしてしまいます"},
    {"more than {1} bytes without a line end; not an ASCII DXF drawing",
     "改行がないまま {1} バイトを超えました。ASCII DXF の図面ではありません"},
    {"{1} ({2}) cannot be written in CP932", "{1} ({2}) は CP932 で書けません"},
    {"standard output: {1}", "標準出力: {1}"},
    {"{1} ({2}) cannot be written in code page {3}; choose --encoding utf-8-bom",
     "{1} ({2}) はコードページ {3} で書けません。--encoding utf-8-bom を選んでください"},
    {"{1} lies beyond ±{2}", "{1} は ±{2} を超えています"},
    {"scale {1} is zero", "尺度 {1} が 0 です"},
    {"block {1}", "ブロック {1}"},
    {"block {1} is placed or scaled beyond {2}", "ブロック {1} の挿入位置または尺度が {2} を超えます"},
    {"placing block {1} gives more than {2} elements", "ブロック {1} を配置すると図形が {2} 個を超えます"},
    {"the file is empty", "ファイルが空です"},
    {"it begins with {1}, not with a DXF section", "DXF のセクションではなく {1} で始まっています"},
    {"the section {1} has no ENDSEC: the file ends inside it", "セクション {1} の ENDSEC がないままファイルが終わっています"},
};
static_assert(std::size(kDetailPatterns) == kDetails, "one pattern for each Detail, in its order");

} // namespace

std::string_view kindName(FailureKind kind, Language language) {
    return kKindNames[static_cast<std::size_t>(kind)].in(language);
}

std::string detailText(Detail detail, const std::vector<std::string>& args, Language language) {
    return fillIn(kDetailPatterns[static_cast<std::size_t>(detail)].in(language), args);
}

} // namespace dxf2csv
