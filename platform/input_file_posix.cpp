#include "platform/input_file.h"

#include "platform/io_faults.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dxf2csv::platform {
namespace {

int fdOf(std::intptr_t handle) { return static_cast<int>(handle); }

/// ::read, with the faults a test asked for.
ssize_t readWithFaults(int fd, char* buffer, std::size_t size, std::uint64_t alreadyRead) {
    IoFaults& faults = ioFaultsForTesting();
    if (faults.interruptedReads > 0) {
        --faults.interruptedReads;
        errno = EINTR;
        return -1;
    }
    const auto allowed = bytesBeforeFault(faults.readFailsAfter, alreadyRead, size);
    if (!allowed) {
        if (++faults.readFailures > IoFaults::kGivingUp) return 0;
        errno = EIO;
        return -1;
    }
    return ::read(fd, buffer, *allowed);
}

} // namespace

InputFile::~InputFile() {
    if (handle_ >= 0 && owned_) ::close(fdOf(handle_));
}

SystemError InputFile::openStandardInput() {
    handle_ = STDIN_FILENO;
    owned_ = false;
    return {};
}

SystemError InputFile::open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {std::strerror(errno)};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        SystemError error = S_ISDIR(info.st_mode) ? SystemError({}, FileStep::IsDirectory) : SystemError{std::strerror(errno)};
        ::close(fd);
        return error;
    }
#if defined(POSIX_FADV_SEQUENTIAL)
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
    handle_ = fd;
    return {};
}

SystemError InputFile::read(char* buffer, std::size_t size, std::size_t& got) {
    got = 0;
    for (;;) {
        const ssize_t n = readWithFaults(fdOf(handle_), buffer, size, bytesRead_);
        if (n >= 0) {
            got = static_cast<std::size_t>(n);
            bytesRead_ += got;
            return {};
        }
        if (errno != EINTR) return {std::strerror(errno)};
    }
}

} // namespace dxf2csv::platform
