#include "window_logic.h"

#include "captions.h"
#include "messages/run_failure.h"
#include "run/conversion_run.h"

#include <exception>

namespace dxf2csv {

std::string joinPath(std::string_view directory, std::string_view name, char separator) {
    std::string path(directory);
    if (path.empty() || (path.back() != separator && path.back() != '/')) path += separator;
    path += name;
    return path;
}

std::string csvNameFor(std::string_view drawingName) { return std::string(drawingName) + ".csv"; }

RunOutcome runConversion(const RunRequest& request, std::string_view captionBefore) {
    RunOutcome outcome;
    try {
        const RunReport report = convertFile(request.inputPath, request.outputPath, {request.tolerance});
        outcome.succeeded = true;
        outcome.caption = captions::kDone;
        outcome.report = report.text();
        return outcome;
    } catch (const RunFailure& failure) {
        outcome.messageTitle = kindName(failure.kind(), Language::Japanese);
        outcome.messageText = failure.file() + "\n";
        if (failure.line() > 0) outcome.messageText += std::to_string(failure.line()) + captions::kLineSuffix;
        outcome.messageText += failure.detail(Language::Japanese);
    } catch (const std::exception& error) {
        outcome.messageTitle = kindName(FailureKind::Unexpected, Language::Japanese);
        outcome.messageText = error.what();
    }
    outcome.caption = captionBefore;
    return outcome;
}

Message driveNotReady(std::string_view drive) {
    return {captions::kDriveNotReady, std::string(drive)};
}

} // namespace dxf2csv
