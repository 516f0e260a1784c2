#include "form1_win32.h"

#include "captions.h"
#include "form1_layout.h"
#include "platform/wide_text_windows.h"

#include <exception>
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

std::wstring textOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

ControlId controlOf(Field field) {
    for (const ControlTemplate& made : kControls)
        if (made.name == controlName(field)) return made.id;
    throw std::logic_error("Form1 has no field " + std::string(controlName(field)));
}

} // namespace

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

Form1::Form1(HINSTANCE instance) : logic_(*this, fileSystem_) {
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
    logic_.start();
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
    } catch (...) {
        // A failure inside a handler is told and the window goes on, as in the Qt window.
        self->logic_.tell(failureMessage(std::current_exception()));
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
        if (code == BN_CLICKED) logic_.run();
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
    logic_.driveChosen(static_cast<std::size_t>(index), driveRoots_[static_cast<std::size_t>(index)]);
}

void Form1::onDirActivated() {
    const auto index = static_cast<int>(SendMessageW(control(kDir1), LB_GETCURSEL, 0, 0));
    if (index < 0 || static_cast<std::size_t>(index) >= dirPaths_.size()) return;
    logic_.openFolder(dirPaths_[static_cast<std::size_t>(index)]);
}

void Form1::onFileChosen() {
    const HWND list = control(kFile1);
    const auto index = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (index < 0) return;
    std::wstring name(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0)) + 1, L'\0');
    name.resize(static_cast<std::size_t>(
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(name.data()))));
    logic_.fileChosen(narrow(name));
}

std::string Form1::caption() const { return narrow(textOf(window_)); }

void Form1::setCaption(const std::string& caption) { SetWindowTextW(window_, widen(caption).c_str()); }

void Form1::paintNow() { RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW); }

std::string Form1::text(Field field) const { return narrow(textOf(control(controlOf(field)))); }

void Form1::setText(Field field, const std::string& text) { SetWindowTextW(control(controlOf(field)), widen(text).c_str()); }

void Form1::setReport(const std::string& report) { SetWindowTextW(control(kTxtDis), widen(report).c_str()); }

void Form1::fillDrives(const std::vector<Volume>& volumes, std::size_t current) {
    const HWND combo = control(kDrive1);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    driveRoots_.clear();
    for (const Volume& volume : volumes) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(volume.shown).c_str()));
        driveRoots_.push_back(volume.root);
    }
    chooseDrive(current);
}

void Form1::chooseDrive(std::size_t index) { SendMessageW(control(kDrive1), CB_SETCURSEL, index, 0); }

void Form1::fillFolders(const std::vector<FolderLine>& lines, std::size_t current) {
    const HWND list = control(kDir1);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    dirPaths_.clear();
    for (const FolderLine& line : lines) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(line.text).c_str()));
        dirPaths_.push_back(line.path);
    }
    SendMessageW(list, LB_SETCURSEL, current, 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void Form1::fillFiles(const std::vector<std::string>& names) {
    for (const ControlId id : {kFile1, kFile2}) {
        const HWND list = control(id);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (const std::string& name : names) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(name).c_str()));
    }
}

void Form1::selectFile(const std::string& name) {
    // A selection set by a message sends no notification: the input name stays as it is.
    for (const ControlId id : {kFile1, kFile2}) {
        const HWND list = control(id);
        const LRESULT at = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(widen(name).c_str()));
        if (at != LB_ERR) SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
    }
}

void Form1::showMessageBox(const Message& message) {
    MessageBoxW(window_, widen(message.text).c_str(), widen(message.title).c_str(), MB_OK | MB_ICONERROR);
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
