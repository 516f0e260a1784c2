#pragma once
// The window's own texts.

namespace dxf2csv::captions {
inline constexpr const char* kStart = "DXF内容表示";
inline constexpr const char* kReading = "読み込み中です・・・";
inline constexpr const char* kDone = "ファイル操作";
inline constexpr const char* kLabel1 = "入力ファイル名(&N)";
inline constexpr const char* kLabel2 = "出力ファイル名(&S)";
inline constexpr const char* kLabel3 = "文字高の許容値(&R)";
inline constexpr const char* kCul1 = "実行1(&A)";
inline constexpr const char* kCul2 = "実行２(&B)";
inline constexpr const char* kOpen = "開く(&O)";
inline constexpr const char* kExit = "終了(&X)";
inline constexpr const char* kDefaultTolerance = "100";
inline constexpr const char* kDriveNotReady = "ドライブの準備ができていません";
inline constexpr const char* kWrittenTo = "出力先 : "; ///< the report's last line: where the result went
inline constexpr const char* kLineSuffix = " 行目: "; ///< after a line number in a message: "12 行目: "
} // namespace dxf2csv::captions
