#pragma once
// A file's new content, written beside it and moved into its place in one step, so the file is
// either as it was or wholly new.

#include "platform/system_error.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace dxf2csv::platform {

/// The staged file lies in the target's folder under a hidden name of its own. A target that
/// is a symbolic link stays a link: its target is replaced. A replaced file keeps its
/// permissions; a new one gets the usual ones.
class StagedFile {
public:
    StagedFile() = default;
    /// Without a commit(), removes the staged file; the target stays as it was.
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    /// Creates the staged file for `path` (UTF-8). Fails when the path names a directory
    /// (FileStep::IsDirectory) or the folder is missing or not writable (FileStep::CreateIn).
    SystemError open(const std::string& path);
    /// Writes all of `bytes`, unbuffered.
    SystemError write(std::string_view bytes);
    /// Flushes the staged file to disk and moves it over the target.
    SystemError commit();

    const std::string& stagedPath() const noexcept { return stagedPath_; }

private:
    std::string target_; ///< the file replaced (a link's target)
    std::string stagedPath_;
    std::intptr_t handle_ = -1;
    std::uint64_t bytesWritten_ = 0;
    bool committed_ = false;
};

} // namespace dxf2csv::platform
