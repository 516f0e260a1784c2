#pragma once
// The file system as the Qt window reads it, through Qt.

#include "file_system.h"

#include <QStringList>

namespace dxf2csv {

class QtFileSystem final : public FileSystem {
public:
    std::vector<Volume> volumes() const override;
    std::string currentFolder() const override;
    std::string plainFolder(const std::string& path) const override;
    std::optional<std::string> parentOf(const std::string& folder) const override;
    std::string nameOf(const std::string& folder) const override;
    char separator() const override;
    std::vector<std::string> subfolders(const std::string& folder) const override;
    std::vector<std::string> files(const std::string& folder) const override;
    bool isReady(const std::string& root) const override;
    bool liesIn(const std::string& folder, const std::string& root) const override;
};

/// The volumes a user can browse: "/" and the home folder first, then removable media, then
/// the other mounted file systems a user would recognise.
QStringList browsableVolumes();

} // namespace dxf2csv
