#include "window_file_system.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QStringList>

namespace dxf2csv {
namespace {

/// File systems that hold no user files.
bool isSystemMount(const QString& root) {
    for (const char* prefix : {"/proc", "/sys", "/dev", "/run", "/snap", "/boot", "/var/lib", "/tmp"})
        if (root == prefix || root.startsWith(QString(prefix) + "/")) return !root.startsWith("/run/media/");
    return false;
}

bool isRemovable(const QString& root) {
    return root.startsWith("/media/") || root.startsWith("/run/media/") || root.startsWith("/mnt/");
}

QString qt(const std::string& text) { return QString::fromStdString(text); }

std::vector<std::string> utf8(const QStringList& names) {
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& name : names) result.push_back(name.toStdString());
    return result;
}

/// The volumes a user can browse: "/" and the home folder first, then removable media, then
/// the other mounted file systems a user would recognise.
QStringList browsableVolumes() {
    QStringList first{QDir::rootPath()};
    const QString home = QDir::homePath();
    if (home != QDir::rootPath()) first << home;
    QStringList removable;
    QStringList others;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady()) continue;
        const QString root = volume.rootPath();
        if (first.contains(root) || isSystemMount(root)) continue;
        (isRemovable(root) ? removable : others) << root;
    }
    removable.sort();
    others.sort();
    return first + removable + others;
}

} // namespace

std::vector<Volume> WindowFileSystem::volumes() const {
    std::vector<Volume> volumes;
    for (const QString& root : browsableVolumes())
        volumes.push_back({root.toStdString(), QDir::toNativeSeparators(root).toStdString()});
    return volumes;
}

std::string WindowFileSystem::currentFolder() const { return QDir::currentPath().toStdString(); }

std::string WindowFileSystem::plainFolder(const std::string& path) const {
    return QDir::cleanPath(QDir(qt(path)).absolutePath()).toStdString();
}

std::optional<std::string> WindowFileSystem::parentOf(const std::string& folder) const {
    QDir dir(qt(folder));
    if (dir.isRoot() || !dir.cdUp()) return std::nullopt;
    return dir.absolutePath().toStdString();
}

std::string WindowFileSystem::nameOf(const std::string& folder) const {
    const QString path = qt(folder);
    return (QDir(path).isRoot() ? QDir::toNativeSeparators(path) : QFileInfo(path).fileName()).toStdString();
}

char WindowFileSystem::separator() const { return QDir::separator().toLatin1(); }

std::vector<std::string> WindowFileSystem::subfolders(const std::string& folder) const {
    return utf8(QDir(qt(folder)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name));
}

std::vector<std::string> WindowFileSystem::files(const std::string& folder) const {
    return utf8(QDir(qt(folder)).entryList(QDir::Files, QDir::Name));
}

bool WindowFileSystem::isReady(const std::string& root) const {
    const QFileInfo info(qt(root));
    return info.isDir() && info.isReadable();
}

bool WindowFileSystem::liesIn(const std::string& folder, const std::string& root) const {
    const QString volume = qt(root).endsWith('/') ? qt(root) : qt(root) + '/';
    return (qt(folder) + '/').startsWith(volume);
}

} // namespace dxf2csv
