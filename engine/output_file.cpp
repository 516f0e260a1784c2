#include "output_file.h"

#include "run_failure.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace dxf2csv {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

WriteFunction g_write = nullptr;

ssize_t doWrite(int fd, const void* data, std::size_t size) {
    return g_write != nullptr ? g_write(fd, data, size) : ::write(fd, data, size);
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

} // namespace

void setWriteFunctionForTesting(WriteFunction function) { g_write = function; }

bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa {}, sb {};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

AtomicFile::AtomicFile(const std::string& path) : path_(path), target_(resolveTarget(path)) {
    struct stat existing {};
    const bool exists = ::stat(target_.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) fail("is a directory", 0);

    const std::filesystem::path target(target_);
    const std::string folder = target.has_parent_path() ? target.parent_path().string() : ".";
    tempPath_ = folder + "/." + target.filename().string() + ".XXXXXX";
    fd_ = ::mkstemp(tempPath_.data());
    if (fd_ < 0) {
        const int error = errno;
        tempPath_.clear();
        fail("cannot create a file in " + folder, error);
    }
    // Keep the mode of the file being replaced; a new file gets the usual one.
    ::fchmod(fd_, exists ? (existing.st_mode & 07777) : newFileMode());
    buffer_.reserve(kBufferSize);
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !tempPath_.empty()) ::unlink(tempPath_.c_str());
}

void AtomicFile::fail(const std::string& what, int error) {
    std::string detail = what;
    if (error != 0) {
        detail += ": ";
        detail += std::strerror(error);
    }
    throw RunFailure(FailureKind::OutputCannotBeWritten, path_, 0, detail);
}

void AtomicFile::write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() > kBufferSize) flushBuffer();
    buffer_ += bytes;
}

void AtomicFile::flushBuffer() {
    const char* data = buffer_.data();
    std::size_t left = buffer_.size();
    while (left > 0) {
        const ssize_t written = doWrite(fd_, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            fail("write failed", errno);
        }
        if (written == 0) fail("write failed", ENOSPC);
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    buffer_.clear();
}

void AtomicFile::commit() {
    flushBuffer();
    if (::fsync(fd_) != 0) fail("cannot flush to disk", errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail("cannot close", errno);
    if (::rename(tempPath_.c_str(), target_.c_str()) != 0) fail("cannot replace the file", errno);
    committed_ = true;
}

} // namespace dxf2csv
