#include "command_line.h"

#include "cli_texts.h"
#include "messages/run_failure.h"
#include "platform/process.h"
#include "platform/wildcards.h"
#include "run/conversion_run.h"
#include "run/tolerance.h"
#include "run/version.h"

#include <memory>
#include <optional>

namespace dxf2csv {
namespace {

constexpr std::string_view kStandardStream = "-";

struct Options {
    RunSettings settings;
    bool encodingGiven = false;
    std::optional<std::string> output;
    std::vector<std::string> drawings;
};

/// A usage error: its message, or nothing when the arguments are sound.
using Usage = std::optional<std::string>;

/// The report one line per line, without its CR LF.
std::string reportText(const RunReport& report) {
    std::string text;
    for (const std::string& line : report.lines()) text += line + '\n';
    return text;
}

class CommandLine {
public:
    CommandLine(Terminal& terminal, Language language) : terminal_(terminal), language_(language) {}

    int run(const std::vector<std::string>& args) {
        bool help = false, version = false;
        if (const Usage error = parse(args, help, version)) return usageError(*error);
        if (help) return print(StandardStream::Output, std::string(cli_text::kUsage.in(language_))), kExitSuccess;
        if (version) return print(StandardStream::Output, std::string("dxf2csv ") + kVersion + "\n"), kExitSuccess;
        // Wildcards that the shell left as written (Windows') name the files they match; one
        // that matches none is a failure of its own, and the other drawings are converted.
        std::vector<std::string> unmatched;
        std::vector<std::string> drawings;
        for (const std::string& arg : options_.drawings) {
            const std::vector<std::string> files =
                arg == kStandardStream ? std::vector<std::string>{arg} : platform::filesNamedBy(arg);
            if (files.empty()) unmatched.push_back(arg);
            drawings.insert(drawings.end(), files.begin(), files.end());
        }
        const bool anyGiven = !options_.drawings.empty();
        options_.drawings = std::move(drawings);
        for (const std::string& pattern : unmatched)
            print(StandardStream::Error, "dxf2csv: " + cli_text::format(cli_text::kNoMatch, language_, pattern) + "\n");
        if (anyGiven && options_.drawings.empty()) return kExitRunFailed;
        if (const Usage error = check()) return usageError(*error);
        // A tolerance that is no number is the command's fault, not a drawing's: said once,
        // before any drawing is read.
        try {
            (void)readTolerance(options_.settings.tolerance, "");
        } catch (const RunFailure& failure) {
            return usageError(std::string(kindName(failure.kind(), language_)) + ": " + failure.detail(language_));
        }

        bool anyFailed = !unmatched.empty();
        for (const std::string& drawing : options_.drawings) {
            if (!convert(drawing)) anyFailed = true;
        }
        return anyFailed ? kExitRunFailed : kExitSuccess;
    }

private:
    Usage parse(const std::vector<std::string>& args, bool& help, bool& version) {
        bool onlyDrawings = false;
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string& arg = args[i];
            if (!onlyDrawings && platform::isSystemHelpSwitch(arg)) {
                help = true;
                return std::nullopt;
            }
            if (onlyDrawings || arg.empty() || arg[0] != '-' || arg == kStandardStream) {
                options_.drawings.push_back(arg);
                continue;
            }
            if (arg == "--") {
                onlyDrawings = true;
                continue;
            }
            if (arg == "--help" || arg == "-h") {
                help = true;
                return std::nullopt;
            }
            if (arg == "--version") {
                version = true;
                return std::nullopt;
            }
            // An option with a value: "-t 10", "-t10", "--tolerance 10", "--tolerance=10".
            std::string name = arg;
            std::optional<std::string> value;
            if (arg.starts_with("--")) {
                const auto equals = arg.find('=');
                if (equals != std::string::npos) {
                    name = arg.substr(0, equals);
                    value = arg.substr(equals + 1);
                }
            } else if (arg.size() > 2) {
                name = arg.substr(0, 2);
                value = arg.substr(2);
            }
            std::string* target = nullptr;
            std::string named;
            if (name == "-t" || name == "--tolerance") target = &options_.settings.tolerance;
            else if (name == "-o" || name == "--output") target = &options_.output.emplace();
            else if (name == "--encoding" || name == "--tables" || name == "--format") target = &named;
            else return cli_text::format(cli_text::kUnknownOption, language_, arg);
            if (!value) {
                if (i + 1 == args.size()) return cli_text::format(cli_text::kNeedsValue, language_, name);
                value = args[++i];
            }
            *target = *value;
            if (name == "--encoding") {
                const auto encoding = csvEncodingNamed(named);
                if (!encoding) return cli_text::format(cli_text::kUnknownEncoding, language_, named);
                options_.settings.encoding = *encoding;
                options_.encodingGiven = true;
            }
            if (name == "--format") {
                const auto format = outputFormatNamed(named);
                if (!format) return cli_text::format(cli_text::kUnknownFormat, language_, named);
                options_.settings.format = *format;
            }
            if (name == "--tables") {
                const auto tables = tableSourceNamed(named);
                if (!tables) return cli_text::format(cli_text::kUnknownTables, language_, named);
                options_.settings.tables = *tables;
            }
        }
        return std::nullopt;
    }

    Usage check() const {
        if (options_.drawings.empty()) return cli_text::format(cli_text::kNoDrawing, language_);
        if (options_.encodingGiven && options_.settings.format == OutputFormat::Xlsx)
            return cli_text::format(cli_text::kEncodingIsForCsv, language_);
        if (options_.output && options_.drawings.size() > 1) return cli_text::format(cli_text::kOneDrawingOnly, language_);
        int fromInput = 0;
        for (const std::string& drawing : options_.drawings) fromInput += drawing == kStandardStream;
        if (fromInput > 1) return cli_text::format(cli_text::kInputOnce, language_);
        return std::nullopt;
    }

    /// Converts one drawing; false when it failed (the failure is told on standard error).
    bool convert(const std::string& drawing) {
        const bool fromInput = drawing == kStandardStream;
        // A drawing from standard input has no name to put the CSV beside.
        const std::string extension = options_.settings.format == OutputFormat::Xlsx ? ".xlsx" : ".csv";
        const std::string output = options_.output ? *options_.output : fromInput ? std::string(kStandardStream) : drawing + extension;
        const bool toOutput = output == kStandardStream;
        try {
            RunReport report;
            StringSink staged; // the CSV for standard output, written there only when the run succeeds
            if (fromInput) {
                const std::unique_ptr<ByteSource> input = terminal_.standardInput();
                std::unique_ptr<AtomicFile> file;
                OutputSink* sink = &staged;
                if (!toOutput) sink = (file = std::make_unique<AtomicFile>(output)).get();
                report = convertDrawing(*input, *sink, options_.settings, std::string(cli_text::kStandardInput.in(language_)));
            } else if (toOutput) {
                FileSource input(drawing);
                report = convertDrawing(input, staged, options_.settings, drawing);
            } else {
                report = convertFile(drawing, output, options_.settings);
            }
            if (toOutput) {
                if (const platform::SystemError error = terminal_.write(StandardStream::Output, staged.data()))
                    throw RunFailure(FailureKind::OutputCannotBeWritten, "-", 0, Detail::StandardOutput, {error.message});
            }
            return printReport(drawing, report, toOutput ? StandardStream::Error : StandardStream::Output);
        } catch (const RunFailure& failure) {
            print(StandardStream::Error, "dxf2csv: " + failure.describe(language_) + '\n');
            return false;
        }
    }

    /// False when the report cannot be written: a script must not take the run for a success.
    bool printReport(const std::string& drawing, const RunReport& report, StandardStream stream) {
        std::string text;
        if (options_.drawings.size() > 1) {
            if (printedOne_) text += '\n';
            text += "==> " + drawing + " <==\n";
        }
        text += reportText(report);
        printedOne_ = true;
        const platform::SystemError error = terminal_.print(stream, text);
        if (!error) return true;
        const RunFailure failure(FailureKind::OutputCannotBeWritten, "-", 0, Detail::StandardOutput, {error.message});
        print(StandardStream::Error, "dxf2csv: " + failure.describe(language_) + '\n');
        return false;
    }

    int usageError(const std::string& message) {
        print(StandardStream::Error, "dxf2csv: " + message + "\n" + std::string(cli_text::kTryHelp.in(language_)) + "\n");
        return kExitUsage;
    }

    /// Text for a person; a stream that cannot be written loses it (there is nowhere to tell).
    void print(StandardStream stream, const std::string& text) { (void)terminal_.print(stream, text); }

    Terminal& terminal_;
    Language language_;
    Options options_;
    bool printedOne_ = false;
};

} // namespace

int runCommandLine(const std::vector<std::string>& args, Terminal& terminal, Language language) {
    return CommandLine(terminal, language).run(args);
}

} // namespace dxf2csv
