#include "window_logic.h"

#include "captions.h"
#include "run/conversion_run.h"

#include <exception>
#include <optional>
#include <utility>

namespace dxf2csv {
namespace {

/// How far each level of Dir1 is indented beneath the one before.
constexpr std::size_t kIndentPerLevel = 2;

std::string indented(std::size_t depth, const std::string& text) {
    return std::string(depth * kIndentPerLevel, ' ') + text;
}

} // namespace

std::string joinPath(std::string_view directory, std::string_view name, char separator) {
    std::string path(directory);
    if (path.empty() || (path.back() != separator && path.back() != '/')) path += separator;
    path += name;
    return path;
}

std::string csvNameFor(std::string_view drawingName) { return std::string(drawingName) + ".csv"; }

std::string convertWithEngine(const RunRequest& request) {
    RunSettings settings;
    settings.tolerance = request.tolerance;
    return convertFile(request.inputPath, request.outputPath, settings).text();
}

WindowLogic::WindowLogic(WindowView& view, const FileSystem& fileSystem)
    : view_(view), fileSystem_(fileSystem), conversion_(convertWithEngine) {}

WindowLogic::WindowLogic(WindowView& view, const FileSystem& fileSystem, Conversion conversion)
    : view_(view), fileSystem_(fileSystem), conversion_(std::move(conversion)) {}

WindowLogic::~WindowLogic() = default;

void WindowLogic::start() {
    const std::string current = fileSystem_.currentFolder();
    const std::vector<Volume> volumes = fileSystem_.volumes();
    std::optional<std::size_t> chosen;
    for (std::size_t i = 0; i < volumes.size(); ++i) {
        if (!fileSystem_.liesIn(current, volumes[i].root)) continue;
        if (!chosen || volumes[i].root.size() > volumes[*chosen].root.size()) chosen = i;
    }
    driveIndex_ = chosen.value_or(0);
    view_.fillDrives(volumes, driveIndex_);
    openFolder(current);
}

void WindowLogic::openFolder(const std::string& path) {
    folder_ = fileSystem_.plainFolder(path);
    std::vector<std::string> chain{folder_};
    // A parent is shorter than its child; stopping otherwise keeps a strange path from looping.
    for (auto parent = fileSystem_.parentOf(folder_); parent && parent->size() < chain.front().size();
         parent = fileSystem_.parentOf(*parent))
        chain.insert(chain.begin(), *parent);

    std::vector<FolderLine> lines;
    std::size_t depth = 0;
    for (const std::string& ancestor : chain) lines.push_back({indented(depth++, fileSystem_.nameOf(ancestor)), ancestor});
    for (const std::string& sub : fileSystem_.subfolders(folder_))
        lines.push_back({indented(depth, sub), joinPath(folder_, sub, fileSystem_.separator())});
    view_.fillFolders(lines, chain.size() - 1);
    view_.fillFiles(fileSystem_.files(folder_));
}

void WindowLogic::driveChosen(std::size_t index, const std::string& root) {
    if (!fileSystem_.isReady(root)) {
        tell(driveNotReady(root));
        view_.chooseDrive(driveIndex_);
        return;
    }
    driveIndex_ = index;
    openFolder(root);
}

void WindowLogic::fileChosen(const std::string& name) {
    view_.setText(Field::InputName, name);
    view_.setText(Field::OutputName, csvNameFor(name));
}

void WindowLogic::run() {
    const char separator = fileSystem_.separator();
    const RunRequest request{joinPath(folder_, view_.text(Field::InputName), separator),
                             joinPath(folder_, view_.text(Field::OutputName), separator),
                             view_.text(Field::Tolerance)};
    const std::string before = view_.caption();
    view_.setCaption(captions::kReading);
    view_.paintNow();
    std::string report;
    try {
        report = conversion_(request);
    } catch (...) {
        view_.setCaption(before);
        tell(failureMessage(std::current_exception()));
        return;
    }
    view_.setCaption(captions::kDone);
    // Where the result went, in full, and the folder's files as they now are, the result's too.
    view_.setReport(report + captions::kWrittenTo + request.outputPath + "\r\n");
    view_.fillFiles(fileSystem_.files(folder_));
    const std::string output = view_.text(Field::OutputName);
    if (output.find(fileSystem_.separator()) == std::string::npos) view_.selectFile(output);
}

void WindowLogic::tell(const Message& message) {
    showMessage(message, [this](const Message& shown) { view_.showMessageBox(shown); });
}

} // namespace dxf2csv
