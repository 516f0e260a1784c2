#include "form1_win32.h"

#include "captions.h"
#include "form1_layout.h"
#include "messages/messages.h"
#include "platform/wide_text_windows.h"
#include "window_logic.h"

#include <algorithm>
#include <stdexcept>

namespace dxf2csv {
namespace {

using platform::narrow;
using platform::widen;

constexpr wchar_t kClassName[] = L"Form1";
/// How far Drive1's list drops down, in twips.
constexpr int kDropDownHeight = 2400;

/// One control: its class, name, caption and styles; its place is the shared layout's. The
/// table's order is the creation order, which is the tab order; each label comes just before
/// its text box, so that its access key moves the focus there.
struct ControlTemplate {
    ControlId id;
    const wchar_t* windowClass;
    const char* name;
    const char* caption;
    DWORD style;
    DWORD exStyle;
};

constexpr DWORD kList = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
constexpr DWORD kEdit = WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;

const ControlTemplate kControls[] = {
    {kDrive1, L"COMBOBOX", "Drive1", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0},
    {kDir1, L"LISTBOX", "Dir1", "", kList, WS_EX_CLIENTEDGE},
    {kFile1, L"LISTBOX", "File1", "", kList, WS_EX_CLIENTEDGE},
    {kLabel1, L"STATIC", "Label1", captions::kLabel1, SS_LEFT, 0},
    {kTxtFileName, L"EDIT", "txtFileName", "", kEdit, WS_EX_CLIENTEDGE},
    {kCmdCul1, L"BUTTON", "cmdCul1", captions::kCul1, kButton, 0},
    {kCmdOpen, L"BUTTON", "cmdOpen", captions::kOpen, kButton, 0},
    {kCmdCul2, L"BUTTON", "cmdCul2", captions::kCul2, kButton, 0},
    {kCmdExit, L"BUTTON", "cmdExit", captions::kExit, kButton, 0},
    {kTxtDis, L"EDIT", "txtDis", "", WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
     WS_EX_CLIENTEDGE},
    {kLabel2, L"STATIC", "Label2", captions::kLabel2, SS_LEFT, 0},
    {kTxtFileS, L"EDIT", "txtFileS", "", kEdit, WS_EX_CLIENTEDGE},
    {kLabel3, L"STATIC", "Label3", captions::kLabel3, SS_LEFT, 0},
    {kTxtFileR, L"EDIT", "txtFileR", captions::kDefaultTolerance, kEdit, WS_EX_CLIENTEDGE},
    {kFile2, L"LISTBOX", "File2", "", kList, WS_EX_CLIENTEDGE},
};

MessageHook& messageHook() {
    static MessageHook hook;
    return hook;
}

std::wstring textOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool isDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

/// `path` made absolute and plain: backslashes, no "." or "..", no trailing separator but a
/// root's.
std::wstring fullPath(const std::wstring& path) {
    std::wstring full(MAX_PATH, L'\0');
    DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    full.resize(length);
    while (full.size() > 3 && full.back() == L'\\') full.pop_back();
    return full;
}

/// The root of `path` ("C:\"), or the path itself when it has no drive letter.
std::wstring rootOf(const std::wstring& path) {
    if (path.size() >= 2 && path[1] == L':') return path.substr(0, 2) + L"\\";
    return path;
}

/// The names in `folder` that are folders (or files), sorted as Explorer sorts them.
std::vector<std::wstring> entries(const std::wstring& folder, bool folders) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = folder + (folder.back() == L'\\' ? L"*" : L"\\*");
    const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == folders) names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
               CSTR_LESS_THAN;
    });
    return names;
}

} // namespace

void setMessageHook(MessageHook hook) { messageHook() = std::move(hook); }

void showMessage(HWND owner, const std::string& title, const std::string& text) {
    if (messageHook()) {
        messageHook()(owner, title, text);
        return;
    }
    MessageBoxW(owner, widen(text).c_str(), widen(title).c_str(), MB_OK | MB_ICONERROR);
}

void registerForm1Class(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Form1::windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
}

Form1::Form1(HINSTANCE instance) {
    const HDC screen = GetDC(nullptr);
    dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    // A fixed size, as the Qt window's: the client area is the layout's, in pixels.
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, pixels(layout::kClientWidth), pixels(layout::kClientHeight)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_CONTROLPARENT);
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, widen(captions::kStart).c_str(), kStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              instance, this);
    if (window_ == nullptr) throw std::runtime_error(platform::systemMessage(GetLastError()));
    std::wstring current(MAX_PATH, L'\0');
    current.resize(GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data()));
    fillDrives();
    setDirectoryPath(current);
}

Form1::~Form1() {
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (font_ != nullptr) DeleteObject(font_);
}

int Form1::pixels(int twips) const { return MulDiv(twips, dpi_, layout::kTwipsPerInch); }

LRESULT CALLBACK Form1::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    auto* self = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return self->handle(message, wParam, lParam);
    } catch (const std::exception& error) {
        // A failure inside a handler is told and the window goes on, as in the Qt window.
        showMessage(window, std::string(kindName(FailureKind::Unexpected, Language::Japanese)), error.what());
    } catch (...) {
        showMessage(window, std::string(kindName(FailureKind::Unexpected, Language::Japanese)), "");
    }
    return 0;
}

LRESULT Form1::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        buildControls();
        return 0;
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NEXTDLGCTL: {
        // What a dialog box does when a label's access key is pressed: IsDialogMessage asks
        // for the label, then for the next control in tab order.
        HWND next = nullptr;
        if (LOWORD(lParam) != 0) {
            next = reinterpret_cast<HWND>(wParam);
        } else {
            next = GetNextDlgTabItem(window_, GetFocus(), wParam != 0);
        }
        if (next == nullptr) return 0;
        SetFocus(next);
        if ((SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) SendMessageW(next, EM_SETSEL, 0, -1);
        return 0;
    }
    case WM_ACTIVATE:
        // The focus comes back to the control that had it, as in a dialog box.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus != nullptr && IsChild(window_, focus)) lastFocus_ = focus;
        } else {
            SetFocus(lastFocus_ != nullptr && IsWindow(lastFocus_) ? lastFocus_ : control(kDrive1));
        }
        return 0;
    case WM_CLOSE:
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        window_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void Form1::buildControls() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font_ = CreateFontIndirectW(&metrics.lfMessageFont);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    for (const ControlTemplate& made : kControls) {
        const layout::Place& at = layout::placeOf(made.name);
        const bool combo = made.id == kDrive1;
        const HWND control = CreateWindowExW(
            made.exStyle, made.windowClass, widen(made.caption).c_str(), WS_CHILD | WS_VISIBLE | made.style,
            pixels(at.left), pixels(at.top), pixels(at.width), pixels(combo ? kDropDownHeight : at.height),
            window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(made.id)), instance, nullptr);
        if (control == nullptr) throw std::runtime_error(std::string("cannot create ") + made.name);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        if (combo) { // the closed box is as high as the layout says
            const int field = pixels(at.height) - 2 * GetSystemMetrics(SM_CYEDGE) - 2;
            SendMessageW(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
        }
    }
    SendMessageW(control(kTxtDis), EM_SETLIMITTEXT, 0, 0); // no 32K limit on the report
}

void Form1::fillDrives() {
    const HWND combo = control(kDrive1);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    driveRoots_.clear();
    std::wstring current(MAX_PATH, L'\0');
    current.resize(GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data()));
    const std::wstring currentRoot = rootOf(current);
    const DWORD drives = GetLogicalDrives();
    int chosen = 0;
    for (int letter = 0; letter < 26; ++letter) {
        if ((drives & (1u << letter)) == 0) continue;
        const std::wstring root{static_cast<wchar_t>(L'A' + letter), L':', L'\\'};
        if (CompareStringOrdinal(root.c_str(), 3, currentRoot.c_str(), -1, TRUE) == CSTR_EQUAL)
            chosen = static_cast<int>(driveRoots_.size());
        // "c:" as the classic drive list shows it.
        const std::wstring shown{static_cast<wchar_t>(L'a' + letter), L':'};
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
        driveRoots_.push_back(root);
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
    driveIndex_ = chosen;
}

void Form1::setDirectoryPath(const std::wstring& path) {
    dirPath_ = fullPath(path);
    fillDirList();
    fillFileList(kFile1);
    fillFileList(kFile2);
}

void Form1::fillDirList() {
    const HWND list = control(kDir1);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    dirPaths_.clear();
    // The folder's ancestors from the root down, then its subfolders, indented beneath.
    std::vector<std::wstring> chain{dirPath_};
    for (std::wstring p = dirPath_; p.size() > 3;) {
        const std::size_t cut = p.find_last_of(L'\\');
        if (cut == std::wstring::npos) break;
        p = fullPath(p.substr(0, cut + 1));
        chain.insert(chain.begin(), p);
    }
    auto add = [&](const std::wstring& text, const std::wstring& full) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        dirPaths_.push_back(full);
    };
    std::size_t depth = 0;
    for (const std::wstring& ancestor : chain) {
        const std::wstring name = ancestor.size() <= 3 ? ancestor : ancestor.substr(ancestor.find_last_of(L'\\') + 1);
        add(std::wstring(depth * 2, L' ') + name, ancestor);
        ++depth;
    }
    SendMessageW(list, LB_SETCURSEL, chain.size() - 1, 0);
    for (const std::wstring& sub : entries(dirPath_, true))
        add(std::wstring(depth * 2, L' ') + sub, dirPath_ + (dirPath_.back() == L'\\' ? L"" : L"\\") + sub);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void Form1::fillFileList(ControlId id) {
    const HWND list = control(id);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& name : entries(dirPath_, false))
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void Form1::onCommand(int id, int code) {
    switch (id) {
    case kDrive1:
        if (code == CBN_SELCHANGE) onDriveChanged();
        break;
    case kDir1:
        if (code == LBN_DBLCLK) onDirActivated();
        break;
    case kFile1:
        if (code == LBN_SELCHANGE) onFileChosen();
        break;
    case kCmdCul1:
        if (code == BN_CLICKED) onRun();
        break;
    case kCmdExit:
        if (code == BN_CLICKED) DestroyWindow(window_);
        break;
    case IDOK: // Enter, as IsDialogMessage reports it: opens the folder chosen in Dir1
        if (GetFocus() == control(kDir1)) onDirActivated();
        break;
    default: // cmdCul2 and cmdOpen do nothing
        break;
    }
}

void Form1::onDriveChanged() {
    const auto index = static_cast<int>(SendMessageW(control(kDrive1), CB_GETCURSEL, 0, 0));
    if (index < 0 || static_cast<std::size_t>(index) >= driveRoots_.size()) return;
    const std::wstring& root = driveRoots_[static_cast<std::size_t>(index)];
    if (!isDirectory(root)) {
        const Message message = driveNotReady(narrow(root));
        showMessage(window_, message.title, message.text);
        SendMessageW(control(kDrive1), CB_SETCURSEL, static_cast<WPARAM>(driveIndex_), 0);
        return;
    }
    driveIndex_ = index;
    setDirectoryPath(root);
}

void Form1::onDirActivated() {
    const auto index = static_cast<int>(SendMessageW(control(kDir1), LB_GETCURSEL, 0, 0));
    if (index < 0 || static_cast<std::size_t>(index) >= dirPaths_.size()) return;
    setDirectoryPath(dirPaths_[static_cast<std::size_t>(index)]);
}

void Form1::onFileChosen() {
    const HWND list = control(kFile1);
    const auto index = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (index < 0) return;
    std::wstring name(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0)) + 1, L'\0');
    name.resize(static_cast<std::size_t>(
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(name.data()))));
    SetWindowTextW(control(kTxtFileName), name.c_str());
    SetWindowTextW(control(kTxtFileS), widen(csvNameFor(narrow(name))).c_str());
}

void Form1::onRun() {
    const std::string folder = narrow(dirPath_);
    RunRequest request;
    request.inputPath = joinPath(folder, narrow(textOf(control(kTxtFileName))), '\\');
    request.outputPath = joinPath(folder, narrow(textOf(control(kTxtFileS))), '\\');
    request.tolerance = narrow(textOf(control(kTxtFileR)));
    const std::string before = narrow(textOf(window_));
    SetWindowTextW(window_, widen(captions::kReading).c_str());
    // Show the caption before the run takes the thread.
    RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    const RunOutcome outcome = runConversion(request, before);
    SetWindowTextW(window_, widen(outcome.caption).c_str());
    if (outcome.succeeded) {
        SetWindowTextW(control(kTxtDis), widen(outcome.report).c_str());
    } else {
        showMessage(window_, outcome.messageTitle, outcome.messageText);
    }
}

int Form1::runMessageLoop(HWND window) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab, Shift+Tab, arrows and access keys as in a dialog box.
        if (IsWindow(window) && IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace dxf2csv
