#pragma once
// dxf2csv's own texts, in English and in Japanese.

#include "messages/bilingual_text.h"

#include <string>
#include <string_view>

namespace dxf2csv::cli_text {

using Texts = BilingualText;

inline constexpr Texts kUsage = {
    "usage: dxf2csv [-t TOLERANCE] [-o OUTPUT] [--format FORMAT] [--encoding ENC] [--tables HOW] DRAWING...\n"
    "\n"
    "Writes the tables of each drawing to a CSV file or an Excel workbook and prints a report.\n"
    "\n"
    "  -t, --tolerance TOLERANCE  row tolerance in drawing units, rounded down (default 100)\n"
    "  -o, --output OUTPUT        the file to write (one drawing only); by default\n"
    "                             DRAWING.csv (DRAWING.xlsx); - writes it to standard\n"
    "                             output, and the report then goes to standard error\n"
    "  --format FORMAT            csv (the default) or xlsx (an Excel workbook, a\n"
    "                             worksheet per table)\n"
    "  --encoding ENC             the CSV's character set (CSV only): drawing (the default: the\n"
    "                             drawing's bytes), utf-8, utf-8-bom (what Excel opens),\n"
    "                             cp932 (also shift_jis, sjis)\n"
    "  --tables HOW               which tables: auto (the default: the grouped tables of a\n"
    "                             drawing with GROUPs of TEXTs, else the ruled ones),\n"
    "                             grouped (GROUPs of TEXTs), ruled (tables drawn as lines\n"
    "                             with texts in their cells)\n"
    "  --help                     show this help\n"
    "  --version                  show the version\n"
    "\n"
    "A DRAWING of - is read from standard input; its CSV goes to standard output.\n"
    "Exit status: 0 when every drawing converted, 1 when any failed, 2 for a usage error.\n",
    "使い方: dxf2csv [-t 許容値] [-o 出力] [--format 形式] [--encoding 文字コード] [--tables 見つけ方] 図面...\n"
    "\n"
    "各図面の表を CSV ファイルまたは Excel ブックに書き出し、報告を表示します。\n"
    "\n"
    "  -t, --tolerance 許容値     同じ行とみなす高さの差（図面の単位、切り捨て。既定 100）\n"
    "  -o, --output 出力          書き出すファイル（図面は一つだけ）。既定は 図面.csv（図面.xlsx）。\n"
    "                             - なら標準出力に書き、報告は標準エラー出力に出します\n"
    "  --format 形式              csv（既定）または xlsx（Excel ブック。表ごとにワークシート）\n"
    "  --encoding 文字コード      CSV の文字コード（CSV のみ）: drawing（既定。図面のまま）、utf-8、\n"
    "                             utf-8-bom（Excel で開くとき）、cp932（shift_jis、sjis も可）\n"
    "  --tables 見つけ方          表の見つけ方: auto（既定。TEXT の GROUP がある図面はグループ、\n"
    "                             ない図面は罫線から）、grouped（TEXT の GROUP）、ruled（線で\n"
    "                             描かれた罫線とその中の文字）\n"
    "  --help                     この説明を表示します\n"
    "  --version                  版を表示します\n"
    "\n"
    "図面に - を指定すると標準入力から読み、CSV を標準出力に書きます。\n"
    "終了コード: すべて変換できれば 0、失敗があれば 1、使い方の誤りは 2。\n"};

inline constexpr Texts kTryHelp = {"Try 'dxf2csv --help' for more information.",
                                   "詳しくは 'dxf2csv --help' を見てください。"};
inline constexpr Texts kNoDrawing = {"no drawing given", "図面が指定されていません"};
inline constexpr Texts kOneDrawingOnly = {"-o takes one drawing only", "-o に指定できる図面は一つだけです"};
inline constexpr Texts kNeedsValue = {"option {1} needs a value", "オプション {1} には値が必要です"};
inline constexpr Texts kUnknownOption = {"unknown option {1}", "不明なオプションです: {1}"};
inline constexpr Texts kUnknownEncoding = {"unknown encoding {1}", "不明な文字コードです: {1}"};
inline constexpr Texts kNoMatch = {"{1}: no file matches", "{1}: 一致するファイルがありません"};
inline constexpr Texts kUnknownFormat = {"unknown format {1} (csv, xlsx)", "不明な出力形式です: {1}（csv、xlsx）"};
inline constexpr Texts kEncodingIsForCsv = {"--encoding applies to CSV only; a workbook needs none",
                                            "--encoding は CSV だけのものです。ブックには指定できません"};
inline constexpr Texts kUnknownTables = {"unknown way of finding tables {1} (auto, grouped, ruled)",
                                         "不明な表の見つけ方です: {1}（auto、grouped、ruled）"};
inline constexpr Texts kInputOnce = {"standard input can be read only once", "標準入力は一度しか読めません"};
inline constexpr Texts kStandardInput = {"(standard input)", "(標準入力)"};

/// `texts` in `language` with {1} replaced by `argument`.
inline std::string format(const Texts& texts, Language language, std::string_view argument = {}) {
    return fillIn(texts.in(language), {std::string(argument)});
}

} // namespace dxf2csv::cli_text
