#include "platform/wildcards.h"

#include "platform/wide_text_windows.h"

#include <windows.h>

#include <algorithm>

namespace dxf2csv::platform {

std::vector<std::string> filesNamedBy(const std::string& arg) {
    const std::size_t cut = arg.find_last_of("\\/:");
    const std::size_t nameStart = cut == std::string::npos ? 0 : cut + 1;
    if (arg.find_first_of("*?", nameStart) == std::string::npos) return {arg};
    const std::string folder = arg.substr(0, nameStart);
    std::vector<std::string> found;
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW(widen(arg).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) found.push_back(folder + narrow(entry.cFileName));
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace dxf2csv::platform
