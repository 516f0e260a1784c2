#pragma once
// What the window logic reads of the file system: the volumes, a folder's ancestors and what it
// holds. The Qt window reads it through Qt, the Win32 window through Windows; every name and
// path is UTF-8.

#include <optional>
#include <string>
#include <vector>

namespace dxf2csv {

/// A volume a user can browse: its root ("/", "C:\") and how Drive1 shows it ("c:").
struct Volume {
    std::string root;
    std::string shown;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    /// The volumes a user can browse, in the order Drive1 lists them.
    virtual std::vector<Volume> volumes() const = 0;
    /// The working folder, where the window opens.
    virtual std::string currentFolder() const = 0;
    /// `path` made absolute and plain: no "." or "..", no trailing separator but a root's.
    virtual std::string plainFolder(const std::string& path) const = 0;
    /// The folder that holds the plain `folder`; nothing for a root.
    virtual std::optional<std::string> parentOf(const std::string& folder) const = 0;
    /// How Dir1 names the plain `folder`: a root as it is written ("/", "C:\"), any other
    /// folder by its last name.
    virtual std::string nameOf(const std::string& folder) const = 0;
    /// The separator that joins a folder and a name in a path.
    virtual char separator() const = 0;
    /// The names of the subfolders of `folder`, sorted as the system's file manager shows them;
    /// none when it cannot be read.
    virtual std::vector<std::string> subfolders(const std::string& folder) const = 0;
    /// The names of the files in `folder`, sorted likewise; none when it cannot be read.
    virtual std::vector<std::string> files(const std::string& folder) const = 0;
    /// Whether the volume whose root is `root` can be browsed now (a drive may be empty).
    virtual bool isReady(const std::string& root) const = 0;
    /// Whether the plain `folder` lies on the volume whose root is `root`.
    virtual bool liesIn(const std::string& folder, const std::string& root) const = 0;
};

} // namespace dxf2csv
