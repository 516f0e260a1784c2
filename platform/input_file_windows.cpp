#include "platform/input_file.h"

#include "platform/io_faults.h"
#include "platform/wide_text_windows.h"

#include <windows.h>

namespace dxf2csv::platform {
namespace {

HANDLE handleOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

/// ReadFile, with the faults a test asked for. Windows has no interrupted reads: a test's
/// interruptions are used up and the read goes on, as a POSIX reader would go on after them.
bool readWithFaults(HANDLE file, char* buffer, std::size_t size, std::uint64_t alreadyRead, DWORD& got) {
    IoFaults& faults = ioFaultsForTesting();
    if (faults.interruptedReads > 0) faults.interruptedReads = 0;
    const auto allowed = bytesBeforeFault(faults.readFailsAfter, alreadyRead, size);
    if (!allowed) {
        if (++faults.readFailures > IoFaults::kGivingUp) {
            got = 0;
            return true;
        }
        SetLastError(ERROR_IO_DEVICE);
        return false;
    }
    constexpr std::size_t kLargestRead = 1u << 30;
    return ReadFile(file, buffer, static_cast<DWORD>(*allowed < kLargestRead ? *allowed : kLargestRead), &got, nullptr) != 0;
}

} // namespace

InputFile::~InputFile() {
    if (handle_ != -1 && owned_) CloseHandle(handleOf(handle_));
}

SystemError InputFile::openStandardInput() {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (input == INVALID_HANDLE_VALUE) return {systemMessage(GetLastError())};
    if (input == nullptr) return {"the program has no standard input"};
    handle_ = reinterpret_cast<std::intptr_t>(input);
    owned_ = false;
    return {};
}

SystemError InputFile::open(const std::string& path) {
    const std::wstring wide = widen(path);
    // Binary by nature: ReadFile hands out the bytes on disk, a 0x1A among them.
    const HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // Windows refuses to open a directory as a file with "Access is denied"; say what it is.
        const DWORD attributes = GetFileAttributesW(wide.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return {{}, FileStep::IsDirectory};
        return {systemMessage(error)};
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return {};
}

SystemError InputFile::read(char* buffer, std::size_t size, std::size_t& got) {
    got = 0;
    DWORD n = 0;
    if (!readWithFaults(handleOf(handle_), buffer, size, bytesRead_, n)) {
        const DWORD error = GetLastError();
        // The writing end of a pipe has closed: the input ends here.
        if (error == ERROR_BROKEN_PIPE) return {};
        return {systemMessage(error)};
    }
    got = n;
    bytesRead_ += n;
    return {};
}

} // namespace dxf2csv::platform
