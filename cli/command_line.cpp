#include "command_line.h"

#include "conversion_run.h"
#include "run_failure.h"
#include "version.h"
#include "window_state.h"

#include <memory>

namespace dxf2csv {
namespace {

constexpr const char* kUsage =
    "usage: dxf2csv [-t TOLERANCE] [-o OUTPUT] DRAWING...\n"
    "\n"
    "Writes the texts of each drawing's grouped tables to a CSV file and prints a report.\n"
    "\n"
    "  -t TOLERANCE  row tolerance in drawing units, rounded down (default 100)\n"
    "  -o OUTPUT     the CSV file to write (one drawing only); by default DRAWING.csv\n"
    "  --help        show this help\n"
    "  --version     show the version\n"
    "\n"
    "Exit status: 0 when every drawing converted, 1 when any failed, 2 for a usage error.\n";

struct Options {
    std::string tolerance = "100";
    std::string output;
    std::vector<std::string> drawings;
};

int usageError(Terminal& terminal, const std::string& message) {
    (void)terminal.print(StandardStream::Error,
                         "dxf2csv: " + message + "\nTry 'dxf2csv --help' for more information.\n");
    return kExitUsage;
}

/// The report one line per line, without its CR LF.
std::string reportText(const RunReport& report) {
    std::string text;
    for (const std::string& line : report.lines()) text += line + '\n';
    return text;
}

} // namespace

int runCommandLine(const std::vector<std::string>& args, Terminal& terminal) {
    Options options;
    bool onlyDrawings = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyDrawings || arg.empty() || arg[0] != '-' || arg == "-") {
            options.drawings.push_back(arg);
        } else if (arg == "--") {
            onlyDrawings = true;
        } else if (arg == "--help" || arg == "-h") {
            (void)terminal.print(StandardStream::Output, kUsage);
            return kExitSuccess;
        } else if (arg == "--version") {
            (void)terminal.print(StandardStream::Output, std::string("dxf2csv ") + kVersion + "\n");
            return kExitSuccess;
        } else if (arg == "-t" || arg == "-o") {
            if (i + 1 == args.size()) return usageError(terminal, "option " + arg + " needs a value");
            (arg == "-t" ? options.tolerance : options.output) = args[++i];
        } else if (arg.size() > 2 && (arg.compare(0, 2, "-t") == 0 || arg.compare(0, 2, "-o") == 0)) {
            (arg[1] == 't' ? options.tolerance : options.output) = arg.substr(2);
        } else {
            return usageError(terminal, "unknown option " + arg);
        }
    }
    if (options.drawings.empty()) return usageError(terminal, "no drawing given");
    if (!options.output.empty() && options.drawings.size() > 1)
        return usageError(terminal, "-o takes one drawing only");

    const bool several = options.drawings.size() > 1;
    bool anyFailed = false;
    bool printedOne = false;
    // One state, cleared by every run: each drawing converts from a fresh state.
    auto state = std::make_unique<WindowState>();
    for (const std::string& drawing : options.drawings) {
        const std::string output = options.output.empty() ? drawing + ".csv" : options.output;
        try {
            const RunReport report = ConversionRun(drawing, output, options.tolerance, *state);
            std::string text;
            if (several) {
                if (printedOne) text += '\n';
                text += "==> " + drawing + " <==\n";
            }
            text += reportText(report);
            printedOne = true;
            (void)terminal.print(StandardStream::Output, text);
        } catch (const RunFailure& failure) {
            (void)terminal.print(StandardStream::Error, std::string("dxf2csv: ") + failure.what() + '\n');
            anyFailed = true;
        }
    }
    return anyFailed ? kExitRunFailed : kExitSuccess;
}

} // namespace dxf2csv
