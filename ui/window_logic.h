#pragma once
// What the window does, apart from its widgets: the Qt window and the Win32 window both call
// this, so that they differ only in how they show it.

#include <string>
#include <string_view>

namespace dxf2csv {

/// `directory` and `name` joined with `separator`, without doubling it when the directory ends
/// with a separator (a root: "/", "C:\"); '/' counts as one everywhere.
std::string joinPath(std::string_view directory, std::string_view name, char separator);

/// The CSV name proposed for a chosen drawing: "plan.dxf" gives "plan.dxf.csv".
std::string csvNameFor(std::string_view drawingName);

/// What the run button was given: the paths as joinPath built them, and the tolerance box's
/// text.
struct RunRequest {
    std::string inputPath;
    std::string outputPath;
    std::string tolerance;
};

/// What the window shows after a run. Texts are UTF-8.
struct RunOutcome {
    bool succeeded = false;
    std::string caption;      ///< the window's caption from now on
    std::string report;       ///< on success: the new text of txtDis, lines ending in CR LF
    std::string messageTitle; ///< on failure: the message box's title, the failure's kind
    std::string messageText;  ///< on failure: the file, then the line and the detail with the text
};

/// Runs the conversion. On success the caption becomes "ファイル操作" and the report
/// replaces txtDis; on failure the caption goes back to `captionBefore` (the one before
/// "読み込み中です・・・"), txtDis keeps its text and a message box tells the failure, in
/// Japanese like every text of the window. Never throws: an unexpected failure is told the
/// same way.
RunOutcome runConversion(const RunRequest& request, std::string_view captionBefore);

/// The message for a drive that cannot be read: title and text.
struct Message {
    std::string title;
    std::string text;
};
Message driveNotReady(std::string_view drive);

} // namespace dxf2csv
