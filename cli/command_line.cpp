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

int usageError(std::ostream& err, const std::string& message) {
    err << "dxf2csv: " << message << "\n" << "Try 'dxf2csv --help' for more information.\n";
    return kExitUsage;
}

/// Prints the report one line per line, without its CR LF.
void printReport(std::ostream& out, const RunReport& report) {
    for (const std::string& line : report.lines()) out << line << '\n';
}

} // namespace

int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options options;
    bool onlyDrawings = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyDrawings || arg.empty() || arg[0] != '-' || arg == "-") {
            options.drawings.push_back(arg);
        } else if (arg == "--") {
            onlyDrawings = true;
        } else if (arg == "--help" || arg == "-h") {
            out << kUsage;
            return kExitSuccess;
        } else if (arg == "--version") {
            out << "dxf2csv " << kVersion << "\n";
            return kExitSuccess;
        } else if (arg == "-t" || arg == "-o") {
            if (i + 1 == args.size()) return usageError(err, "option " + arg + " needs a value");
            (arg == "-t" ? options.tolerance : options.output) = args[++i];
        } else if (arg.size() > 2 && (arg.compare(0, 2, "-t") == 0 || arg.compare(0, 2, "-o") == 0)) {
            (arg[1] == 't' ? options.tolerance : options.output) = arg.substr(2);
        } else {
            return usageError(err, "unknown option " + arg);
        }
    }
    if (options.drawings.empty()) return usageError(err, "no drawing given");
    if (!options.output.empty() && options.drawings.size() > 1)
        return usageError(err, "-o takes one drawing only");

    const bool several = options.drawings.size() > 1;
    bool anyFailed = false;
    bool printedOne = false;
    // One state, cleared by every run: each drawing converts from a fresh state.
    auto state = std::make_unique<WindowState>();
    for (const std::string& drawing : options.drawings) {
        const std::string output = options.output.empty() ? drawing + ".csv" : options.output;
        try {
            const RunReport report = ConversionRun(drawing, output, options.tolerance, *state);
            if (several) {
                if (printedOne) out << '\n';
                out << "==> " << drawing << " <==\n";
            }
            printReport(out, report);
            printedOne = true;
        } catch (const RunFailure& failure) {
            err << "dxf2csv: " << failure.what() << '\n';
            anyFailed = true;
        }
    }
    out.flush();
    return anyFailed ? kExitRunFailed : kExitSuccess;
}

} // namespace dxf2csv
