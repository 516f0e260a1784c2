#include "platform/standard_streams.h"

#include "platform/wide_text_windows.h"

#include <windows.h>

namespace dxf2csv::platform {
namespace {

HANDLE handleFor(StandardStream stream) {
    return GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetFileType(handle) == FILE_TYPE_CHAR && GetConsoleMode(handle, &mode) != 0;
}

} // namespace

SystemError printText(StandardStream stream, std::string_view utf8) {
    const HANDLE handle = handleFor(stream);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !isConsole(handle)) return writeBytes(stream, utf8);
    // A console shows characters, whatever its code page: hand it UTF-16, line ends as CR LF
    // so that a console that does not translate them still starts each line at the left.
    std::wstring wide;
    for (const wchar_t c : widen(utf8)) {
        if (c == L'\n' && (wide.empty() || wide.back() != L'\r')) wide += L'\r';
        wide += c;
    }
    std::wstring_view left = wide;
    while (!left.empty()) {
        // Large writes to a console can fail for want of its buffer; write in pieces.
        constexpr std::size_t kPiece = 8192;
        const DWORD size = static_cast<DWORD>(left.size() < kPiece ? left.size() : kPiece);
        DWORD written = 0;
        if (!WriteConsoleW(handle, left.data(), size, &written, nullptr)) return {systemMessage(GetLastError())};
        if (written == 0) return {"the console took nothing"};
        left.remove_prefix(written);
    }
    return {};
}

SystemError writeBytes(StandardStream stream, std::string_view bytes) {
    const HANDLE handle = handleFor(stream);
    // No standard stream at all (a program started without one): there is nowhere to write.
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return {"the stream is not open"};
    while (!bytes.empty()) {
        DWORD written = 0;
        constexpr std::size_t kPiece = 1u << 20;
        const DWORD size = static_cast<DWORD>(bytes.size() < kPiece ? bytes.size() : kPiece);
        if (!WriteFile(handle, bytes.data(), size, &written, nullptr)) return {systemMessage(GetLastError())};
        bytes.remove_prefix(written);
    }
    return {};
}

} // namespace dxf2csv::platform
