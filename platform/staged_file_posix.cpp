#include "platform/staged_file.h"

#include "platform/io_faults.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace dxf2csv::platform {
namespace {

int fdOf(std::intptr_t handle) { return static_cast<int>(handle); }

SystemError failure(FileStep step, int error, std::string subject = {}) {
    return {std::strerror(error), step, std::move(subject)};
}

/// The file a write to `path` should replace: a symbolic link is followed to its target, so
/// the link stays a link.
std::string resolveTarget(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(path, error);
    if (error || !std::filesystem::is_symlink(status)) return path;
    const auto target = std::filesystem::weakly_canonical(path, error);
    return error ? path : target.string();
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

/// ::write, with the faults a test asked for.
ssize_t writeWithFaults(int fd, const char* data, std::size_t size, std::uint64_t alreadyWritten) {
    const IoFaults& faults = ioFaultsForTesting();
    const auto allowed = bytesBeforeFault(faults.writeFailsAfter, alreadyWritten, size);
    if (!allowed) {
        errno = ENOSPC;
        return -1;
    }
    return ::write(fd, data, *allowed);
}

} // namespace

StagedFile::~StagedFile() {
    if (handle_ >= 0) ::close(fdOf(handle_));
    if (!committed_ && !stagedPath_.empty()) ::unlink(stagedPath_.c_str());
}

SystemError StagedFile::open(const std::string& path) {
    target_ = resolveTarget(path);
    struct stat existing {};
    const bool exists = ::stat(target_.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) return {{}, FileStep::IsDirectory};

    const std::filesystem::path target(target_);
    const std::string folder = target.has_parent_path() ? target.parent_path().string() : ".";
    std::string staged = folder + "/." + target.filename().string() + ".XXXXXX";
    const int fd = ::mkstemp(staged.data());
    if (fd < 0) return failure(FileStep::CreateIn, errno, folder);
    handle_ = fd;
    stagedPath_ = std::move(staged);
    // Keep the mode of the file being replaced; a new file gets the usual one.
    ::fchmod(fd, exists ? (existing.st_mode & 07777) : newFileMode());
    return {};
}

SystemError StagedFile::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = writeWithFaults(fdOf(handle_), bytes.data(), bytes.size(), bytesWritten_);
        if (written < 0) {
            if (errno == EINTR) continue;
            return failure(FileStep::Write, errno);
        }
        if (written == 0) return failure(FileStep::Write, ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(written));
        bytesWritten_ += static_cast<std::uint64_t>(written);
    }
    return {};
}

SystemError StagedFile::commit() {
    const int fd = fdOf(handle_);
    if (::fsync(fd) != 0) return failure(FileStep::Flush, errno);
    handle_ = -1;
    if (::close(fd) != 0) return failure(FileStep::Close, errno);
    if (::rename(stagedPath_.c_str(), target_.c_str()) != 0) return failure(FileStep::Replace, errno);
    committed_ = true;
    return {};
}

} // namespace dxf2csv::platform
