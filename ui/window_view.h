#pragma once
// What the window logic asks of a window: each window implements it with its own controls, so
// that the windows differ only in how they draw and wire them.

#include "file_system.h"
#include "message_hook.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dxf2csv {

/// The text fields the logic reads and fills.
enum class Field {
    InputName,  ///< txtFileName: the drawing's name in Dir1's folder
    OutputName, ///< txtFileS: the CSV's name in Dir1's folder
    Tolerance,  ///< txtFileR: the row tolerance as typed
};

/// The name of the control that holds `field`, as the layout and the Qt window's object names
/// spell it.
constexpr std::string_view controlName(Field field) {
    switch (field) {
    case Field::InputName:
        return "txtFileName";
    case Field::OutputName:
        return "txtFileS";
    case Field::Tolerance:
        return "txtFileR";
    }
    throw std::logic_error("no such field");
}

/// A line of Dir1: its indented text and the folder it opens.
struct FolderLine {
    std::string text;
    std::string path;
};

class WindowView {
public:
    virtual ~WindowView() = default;

    /// The window's caption.
    virtual std::string caption() const = 0;
    virtual void setCaption(const std::string& caption) = 0;
    /// Paints what has changed at once: the run that follows holds the thread.
    virtual void paintNow() = 0;
    virtual std::string text(Field field) const = 0;
    virtual void setText(Field field, const std::string& text) = 0;
    /// Replaces txtDis's text with `report`, whose lines end in CR LF.
    virtual void setReport(const std::string& report) = 0;
    /// Fills Drive1 with `volumes`, each line keeping its root, and chooses line `current`
    /// without reporting the choice back to the logic.
    virtual void fillDrives(const std::vector<Volume>& volumes, std::size_t current) = 0;
    /// Chooses Drive1's line `index` without reporting the choice back to the logic.
    virtual void chooseDrive(std::size_t index) = 0;
    /// Fills Dir1 with `lines`, each keeping its folder, and selects line `current`.
    virtual void fillFolders(const std::vector<FolderLine>& lines, std::size_t current) = 0;
    /// Fills File1 and File2 with `names`.
    virtual void fillFiles(const std::vector<std::string>& names) = 0;
    /// Selects `name` in File1 and File2 where they list it, without reporting the choice back
    /// to the logic (the input name stays as it is).
    virtual void selectFile(const std::string& name) = 0;
    /// Shows `message` in the window's own message box (only where no hook replaces it).
    virtual void showMessageBox(const Message& message) = 0;
};

} // namespace dxf2csv
