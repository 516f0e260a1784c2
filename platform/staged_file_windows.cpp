#include "platform/staged_file.h"

#include "platform/io_faults.h"
#include "platform/wide_text_windows.h"

#include <windows.h>

#include <random>

namespace dxf2csv::platform {
namespace {

HANDLE handleOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

SystemError failure(FileStep step, DWORD error, std::string subject = {}) {
    return {systemMessage(error), step, std::move(subject)};
}

/// An antivirus scanner, the search indexer or a backup tool may hold a file for a moment
/// after it was written or while it is read; a move or delete that meets one is tried again
/// for about two seconds before it counts as failed. A program that keeps the file open
/// (a spreadsheet showing the CSV) still makes the run fail.
template <class Call>
bool retryWhileHeld(Call call) {
    constexpr int kTries = 20;
    constexpr DWORD kPauseMs = 100;
    for (int attempt = 1;; ++attempt) {
        if (call()) return true;
        const DWORD error = GetLastError();
        const bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
        if (!held || attempt == kTries) {
            SetLastError(error);
            return false;
        }
        Sleep(kPauseMs);
    }
}

/// The file a write to `path` should replace: a symbolic link is followed to its target, so
/// the link stays a link.
std::wstring resolveTarget(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return path;
    const HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return path;
    std::wstring target(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file, target.data(), static_cast<DWORD>(target.size()), FILE_NAME_NORMALIZED);
    if (length >= target.size()) {
        target.resize(length);
        length = GetFinalPathNameByHandleW(file, target.data(), static_cast<DWORD>(target.size()), FILE_NAME_NORMALIZED);
    }
    CloseHandle(file);
    if (length == 0 || length >= target.size()) return path;
    target.resize(length);
    return target;
}

/// The folder part of `path` ("." when it has none) and its last name.
void splitPath(const std::wstring& path, std::wstring& folder, std::wstring& name) {
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::size_t colon = path.size() >= 2 && path[1] == L':' ? 1 : std::wstring::npos;
    std::size_t cut = slash;
    if (cut == std::wstring::npos || (colon != std::wstring::npos && colon > cut)) cut = colon;
    if (cut == std::wstring::npos) {
        folder = L".";
        name = path;
        return;
    }
    name = path.substr(cut + 1);
    folder = path.substr(0, cut + 1);
    // Keep a root's separator ("C:\", "\") and a drive's colon ("C:"); drop any other.
    const bool root = cut == 0 || path[cut] == L':' || (cut == 2 && path[1] == L':');
    if (!root) folder.pop_back();
}

/// WriteFile, with the faults a test asked for.
bool writeWithFaults(HANDLE file, const char* data, std::size_t size, std::uint64_t alreadyWritten, DWORD& written) {
    const IoFaults& faults = ioFaultsForTesting();
    const auto allowed = bytesBeforeFault(faults.writeFailsAfter, alreadyWritten, size);
    if (!allowed) {
        SetLastError(ERROR_DISK_FULL);
        return false;
    }
    constexpr std::size_t kLargestWrite = 1u << 30;
    return WriteFile(file, data, static_cast<DWORD>(*allowed < kLargestWrite ? *allowed : kLargestWrite), &written, nullptr) != 0;
}

} // namespace

StagedFile::~StagedFile() {
    if (handle_ != -1) CloseHandle(handleOf(handle_));
    if (!committed_ && !stagedPath_.empty()) {
        const std::wstring staged = widen(stagedPath_);
        (void)retryWhileHeld([&] { return DeleteFileW(staged.c_str()) != 0; });
    }
}

SystemError StagedFile::open(const std::string& path) {
    const std::wstring target = resolveTarget(widen(path));
    target_ = narrow(target);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return {{}, FileStep::IsDirectory};

    std::wstring folder, name;
    splitPath(target, folder, name);
    const std::wstring prefix = folder + (folder.back() == L'\\' || folder.back() == L'/' || folder.back() == L':' ? L"" : L"\\");
    std::random_device seed;
    std::mt19937 random(seed());
    constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring staged = prefix + L"." + name + L".";
        for (int i = 0; i < 6; ++i) staged += kLetters[random() % (std::size(kLetters) - 1)];
        // Not shared for writing or deleting while it is written: nobody else changes it.
        const HANDLE file = CreateFileW(staged.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
            return failure(FileStep::CreateIn, error, narrow(folder));
        }
        handle_ = reinterpret_cast<std::intptr_t>(file);
        stagedPath_ = narrow(staged);
        return {};
    }
    return failure(FileStep::CreateIn, ERROR_FILE_EXISTS, narrow(folder));
}

SystemError StagedFile::write(std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!writeWithFaults(handleOf(handle_), bytes.data(), bytes.size(), bytesWritten_, written))
            return failure(FileStep::Write, GetLastError());
        if (written == 0) return failure(FileStep::Write, ERROR_DISK_FULL);
        bytes.remove_prefix(written);
        bytesWritten_ += written;
    }
    return {};
}

SystemError StagedFile::commit() {
    const HANDLE file = handleOf(handle_);
    if (!FlushFileBuffers(file)) return failure(FileStep::Flush, GetLastError());
    handle_ = -1;
    if (!CloseHandle(file)) return failure(FileStep::Close, GetLastError());
    const std::wstring staged = widen(stagedPath_);
    const std::wstring target = widen(target_);
    // The replaced file's attributes go over to its successor (hidden stays hidden); a file
    // marked read-only is not replaced, as everywhere on Windows.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return failure(FileStep::Replace, ERROR_ACCESS_DENIED);
        if ((attributes & kKept) != 0) SetFileAttributesW(staged.c_str(), attributes & kKept);
    }
    if (!retryWhileHeld([&] {
            return MoveFileExW(staged.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        }))
        return failure(FileStep::Replace, GetLastError());
    committed_ = true;
    return {};
}

} // namespace dxf2csv::platform
