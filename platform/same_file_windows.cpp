#include "platform/same_file.h"

#include "platform/wide_text_windows.h"

#include <windows.h>

namespace dxf2csv::platform {
namespace {

/// The volume serial number and file index of an existing file; false when it cannot be opened.
bool identify(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    // No access rights asked: the file's identity can be read even while another program holds it.
    const HANDLE file = CreateFileW(widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool ok = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    return ok;
}

} // namespace

bool sameFile(const std::string& a, const std::string& b) {
    BY_HANDLE_FILE_INFORMATION ia{}, ib{};
    if (!identify(a, ia) || !identify(b, ib)) return false;
    return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
           ia.nFileIndexLow == ib.nFileIndexLow;
}

} // namespace dxf2csv::platform
