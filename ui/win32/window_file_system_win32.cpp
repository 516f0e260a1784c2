#include "window_file_system.h"

#include "platform/wide_text_windows.h"

#include <windows.h>

#include <algorithm>

namespace dxf2csv {
namespace {

using platform::narrow;
using platform::widen;

/// "C:\": the longest root, and the length at or below which a path is one.
constexpr std::size_t kDriveRootLength = 3;
constexpr int kDriveLetters = 26;

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
    while (full.size() > kDriveRootLength && full.back() == L'\\') full.pop_back();
    return full;
}

/// The root of `path` ("C:\"), or the path itself when it has no drive letter.
std::wstring rootOf(const std::wstring& path) {
    if (path.size() >= 2 && path[1] == L':') return path.substr(0, 2) + L"\\";
    return path;
}

/// The names in `folder` that are folders (or files), sorted as Explorer sorts them.
std::vector<std::string> entries(const std::string& folder, bool folders) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const std::wstring wide = widen(folder);
    const std::wstring pattern = wide + (!wide.empty() && wide.back() == L'\\' ? L"*" : L"\\*");
    const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return {};
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
    std::vector<std::string> result;
    result.reserve(names.size());
    for (const std::wstring& name : names) result.push_back(narrow(name));
    return result;
}

} // namespace

std::vector<Volume> WindowFileSystem::volumes() const {
    std::vector<Volume> volumes;
    const DWORD drives = GetLogicalDrives();
    for (int letter = 0; letter < kDriveLetters; ++letter) {
        if ((drives & (1u << letter)) == 0) continue;
        // "c:" as the classic drive list shows it.
        volumes.push_back({{static_cast<char>('A' + letter), ':', '\\'}, {static_cast<char>('a' + letter), ':'}});
    }
    return volumes;
}

std::string WindowFileSystem::currentFolder() const {
    std::wstring current(MAX_PATH, L'\0');
    DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data());
    if (length >= current.size()) {
        current.resize(length);
        length = GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data());
    }
    current.resize(length);
    return narrow(current);
}

std::string WindowFileSystem::plainFolder(const std::string& path) const { return narrow(fullPath(widen(path))); }

std::optional<std::string> WindowFileSystem::parentOf(const std::string& folder) const {
    const std::wstring path = widen(folder);
    const std::size_t cut = path.find_last_of(L'\\');
    if (path.size() <= kDriveRootLength || cut == std::wstring::npos) return std::nullopt;
    return narrow(fullPath(path.substr(0, cut + 1)));
}

std::string WindowFileSystem::nameOf(const std::string& folder) const {
    const std::wstring path = widen(folder);
    return path.size() <= kDriveRootLength ? folder : narrow(path.substr(path.find_last_of(L'\\') + 1));
}

char WindowFileSystem::separator() const { return '\\'; }

std::vector<std::string> WindowFileSystem::subfolders(const std::string& folder) const { return entries(folder, true); }

std::vector<std::string> WindowFileSystem::files(const std::string& folder) const { return entries(folder, false); }

bool WindowFileSystem::isReady(const std::string& root) const {
    const DWORD attributes = GetFileAttributesW(widen(root).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool WindowFileSystem::liesIn(const std::string& folder, const std::string& root) const {
    const std::wstring volume = widen(root);
    const std::wstring folderRoot = rootOf(widen(folder));
    return CompareStringOrdinal(volume.c_str(), static_cast<int>(volume.size()), folderRoot.c_str(),
                                static_cast<int>(folderRoot.size()), TRUE) == CSTR_EQUAL;
}

} // namespace dxf2csv
