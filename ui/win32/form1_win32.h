#pragma once
// The main window as a native Win32 window: the same controls, captions, access keys, tab
// order and layout (in twips, at the system DPI) as the Qt Form1. It only gathers what the user
// chose and shows what window_logic returns.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dxf2csv {


/// The controls' IDs; each control's name in the Qt window is in form1_win32.cpp's table.
enum ControlId : int {
    kDrive1 = 101, kDir1, kFile1, kLabel1, kTxtFileName, kCmdCul1, kCmdOpen, kCmdCul2, kCmdExit,
    kTxtDis, kLabel2, kTxtFileS, kLabel3, kTxtFileR, kFile2,
};

/// Every message box of the program goes through this hook (owner, title, text in UTF-8), so
/// tests can replace it and nothing ever blocks on a modal dialog.
using MessageHook = std::function<void(HWND owner, const std::string& title, const std::string& text)>;
void setMessageHook(MessageHook hook);
void showMessage(HWND owner, const std::string& title, const std::string& text);

class Form1 {
public:
    /// Creates the window (not yet shown) in the working directory. Throws std::runtime_error
    /// when Windows refuses to create it.
    explicit Form1(HINSTANCE instance);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    HWND handle() const { return window_; }
    HWND control(ControlId id) const { return GetDlgItem(window_, id); }
    /// Dir1's folder (UTF-16, no trailing separator except at a root).
    const std::wstring& directoryPath() const { return dirPath_; }
    /// Makes `path` Dir1's folder, as a user's navigation would; the file lists follow.
    void setDirectoryPath(const std::wstring& path);
    /// The pixels of a length in twips at the window's DPI.
    int pixels(int twips) const;

    /// Runs the program's message loop with dialog-style keyboard handling (Tab, access keys).
    static int runMessageLoop(HWND window);

private:
    friend void registerForm1Class(HINSTANCE instance);
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void buildControls();
    void fillDrives();
    void fillDirList();
    void fillFileList(ControlId list);
    void onCommand(int id, int code);
    void onDriveChanged();
    void onDirActivated();
    void onFileChosen();
    void onRun();

    HWND window_ = nullptr;
    HWND lastFocus_ = nullptr;
    HFONT font_ = nullptr;
    int dpi_ = 96;
    std::wstring dirPath_;
    std::vector<std::wstring> dirPaths_;   ///< the folder of each line of Dir1
    std::vector<std::wstring> driveRoots_; ///< the root of each line of Drive1
    int driveIndex_ = -1;
};

/// Registers Form1's window class; call once before the first Form1.
void registerForm1Class(HINSTANCE instance);

} // namespace dxf2csv
