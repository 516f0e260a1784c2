#pragma once
// The main window as a native Win32 window: the same controls, captions, access keys, tab
// order and layout (in twips, at the system DPI) as the Qt Form1. It creates and places its
// controls and hands every event to WindowLogic, which tells it what to show.

#include "window_file_system.h"
#include "window_logic.h"
#include "window_view.h"

#include <windows.h>

#include <string>
#include <vector>

namespace dxf2csv {

/// The controls' IDs; each control's name in the Qt window is in form1_win32.cpp's table.
enum ControlId : int {
    kDrive1 = 101, kDir1, kFile1, kLabel1, kTxtFileName, kCmdCul1, kCmdOpen, kCmdCul2, kCmdExit,
    kTxtDis, kLabel2, kTxtFileS, kLabel3, kTxtFileR, kFile2,
};

class Form1 : private WindowView {
public:
    /// Creates the window (not yet shown) in the working directory. Throws std::runtime_error
    /// when Windows refuses to create it.
    explicit Form1(HINSTANCE instance);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    HWND handle() const { return window_; }
    HWND control(ControlId id) const { return GetDlgItem(window_, id); }
    /// Dir1's folder (no trailing separator except at a root).
    const std::string& directoryPath() const { return logic_.folder(); }
    /// Makes `path` Dir1's folder, as a user's navigation would; the file lists follow.
    void setDirectoryPath(const std::string& path) { logic_.openFolder(path); }
    /// The pixels of a length in twips at the window's DPI.
    int pixels(int twips) const;

    /// Runs the program's message loop with dialog-style keyboard handling (Tab, access keys).
    static int runMessageLoop(HWND window);

private:
    friend void registerForm1Class(HINSTANCE instance);
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void buildControls();
    void onCommand(int id, int code);
    void onDriveChanged();
    void onDirActivated();
    void onFileChosen();

    // WindowView
    std::string caption() const override;
    void setCaption(const std::string& caption) override;
    void paintNow() override;
    std::string text(Field field) const override;
    void setText(Field field, const std::string& text) override;
    void setReport(const std::string& report) override;
    void fillDrives(const std::vector<Volume>& volumes, std::size_t current) override;
    void chooseDrive(std::size_t index) override;
    void fillFolders(const std::vector<FolderLine>& lines, std::size_t current) override;
    void fillFiles(const std::vector<std::string>& names) override;
    void selectFile(const std::string& name) override;
    void showMessageBox(const Message& message) override;

    HWND window_ = nullptr;
    HWND lastFocus_ = nullptr;
    HFONT font_ = nullptr;
    int dpi_ = 96;
    std::vector<std::string> dirPaths_;   ///< the folder of each line of Dir1
    std::vector<std::string> driveRoots_; ///< the root of each line of Drive1
    WindowFileSystem fileSystem_;
    WindowLogic logic_;
};

/// Registers Form1's window class; call once before the first Form1.
void registerForm1Class(HINSTANCE instance);

} // namespace dxf2csv
