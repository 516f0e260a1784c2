#pragma once
// The file system as the window of this build reads it: the Qt window through Qt
// (window_file_system_qt.cpp), the Win32 window through Windows (win32/window_file_system_win32.cpp).

#include "file_system.h"

namespace dxf2csv {

class WindowFileSystem final : public FileSystem {
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

} // namespace dxf2csv
