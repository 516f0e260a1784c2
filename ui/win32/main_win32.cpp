// dxf2csv-gui.exe: the window program on Windows. A failure inside a handler is told in a
// message box and the window stays up; only a window that cannot be created ends the program.

#include "form1_win32.h"
#include "platform/wide_text_windows.h"

#include <windows.h>

#include <exception>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    try {
        dxf2csv::registerForm1Class(instance);
        dxf2csv::Form1 window(instance);
        ShowWindow(window.handle(), show);
        UpdateWindow(window.handle());
        return dxf2csv::Form1::runMessageLoop(window.handle());
    } catch (const std::exception& error) {
        MessageBoxW(nullptr, dxf2csv::platform::widen(error.what()).c_str(), L"dxf2csv-gui: cannot create the window",
                    MB_OK | MB_ICONERROR);
        return 1;
    }
}
