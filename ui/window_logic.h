#pragma once
// What the window does, apart from drawing and wiring its controls: the Qt window and the Win32
// window both hand every event to WindowLogic and show what it tells them through WindowView.

#include "file_system.h"
#include "message_hook.h"
#include "window_view.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

/// One conversion as the run button asks for it: returns the report (lines ending in CR LF);
/// throws RunFailure when the run fails, anything else on a fault of the program.
using Conversion = std::function<std::string(const RunRequest& request)>;

/// The engine's conversion with the window's settings: the one place the window calls the
/// engine.
std::string convertWithEngine(const RunRequest& request);

class WindowLogic {
public:
    /// The logic of the window `view` over `fileSystem`, converting with the engine. Both must
    /// outlive it.
    WindowLogic(WindowView& view, const FileSystem& fileSystem);
    /// The same, converting with `conversion` instead.
    WindowLogic(WindowView& view, const FileSystem& fileSystem, Conversion conversion);
    ~WindowLogic();
    WindowLogic(const WindowLogic&) = delete;
    WindowLogic& operator=(const WindowLogic&) = delete;

    /// Fills Drive1, choosing the volume that holds the working folder (the one with the
    /// longest root where volumes nest), and opens that folder.
    void start();
    /// Dir1's folder: absolute and plain.
    const std::string& folder() const { return folder_; }
    /// Makes `path` Dir1's folder, as a user's navigation would: Dir1 lists its ancestors from
    /// the root down, each indented beneath the one before, with the folder itself selected,
    /// then its subfolders one step further in; File1 and File2 list its files.
    void openFolder(const std::string& path);
    /// Drive1's line `index`, the volume whose root is `root`, was chosen: opens the root or,
    /// when the volume cannot be browsed, says so and chooses the line chosen before again.
    void driveChosen(std::size_t index, const std::string& root);
    /// A drawing was chosen in File1: its name becomes the input name and its CSV's name the
    /// output name.
    void fileChosen(const std::string& name);
    /// Converts the drawing named in the input field, in Dir1's folder, to the output name
    /// there. The caption reads "読み込み中です・・・" (painted at once) while it runs. On
    /// success the caption becomes "ファイル操作", the report followed by the line "出力先 : "
    /// and the output's full path replaces txtDis, and the file lists are filled anew with the
    /// output selected where they list it; on any
    /// failure, an unexpected one too, the caption goes back to what it was, txtDis keeps its
    /// text and a message tells the failure. Never throws for a failed conversion.
    void run();
    /// Shows `message` through the message hook or the window's own message box.
    void tell(const Message& message);

private:
    WindowView& view_;
    const FileSystem& fileSystem_;
    Conversion conversion_;
    std::string folder_;
    std::size_t driveIndex_ = 0;
};

} // namespace dxf2csv
