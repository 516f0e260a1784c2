// Runs against real files: what a failure leaves on disk, and where the CSV may not go.

#include "output/output_sink.h"
#include "platform/io_faults.h"
#include "run/conversion_run.h"
#include "system_words.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <cstdio>
#ifndef _WIN32 // Windows has its own permission and link tests
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace dxf2csv {
namespace {

namespace fs = std::filesystem;
using test::drawing;
using test::groupObject;
using test::readFile;
using test::TempDir;
using test::textEntity;
using test::writeFile;

const std::string kOldCsv = "old,csv\r\n";

/// 400 grouped TEXTs whose CSV (about 120 KB) is larger than the writer's buffer, so part of
/// it reaches the temporary file before a later failure.
std::string bigEntities() {
    std::string entities;
    for (int i = 0; i < 400; ++i)
        entities += textEntity("H" + std::to_string(i), std::string(300, 'x'), "0", std::to_string(i * 200));
    return entities;
}

std::vector<std::string> bigHandles() {
    std::vector<std::string> handles;
    for (int i = 0; i < 400; ++i) handles.push_back("H" + std::to_string(i));
    return handles;
}

/// Runs and returns the failure (fails the test when the run succeeds).
RunFailure runFails(const std::string& in, const std::string& out, const std::string& tolerance = "100") {
    try {
        convertFile(in, out, {std::string(tolerance), CsvEncoding::Drawing, TableSource::Grouped});
    } catch (const RunFailure& failure) {
        return failure;
    }
    ADD_FAILURE() << "the run succeeded";
    return RunFailure(FailureKind::NotANumber, "", 0);
}

TEST(ConversionRunFiles, SuccessReplacesTheOutputAndKeepsItsMode) {
    TempDir dir;
    writeFile(dir.path("a.dxf"), drawing(textEntity("A", "x", "0", "0"), groupObject({"A"})));
    writeFile(dir.path("a.dxf.csv"), kOldCsv);
#ifndef _WIN32
    ::chmod(dir.path("a.dxf.csv").c_str(), 0640);
#endif
    convertFile(dir.path("a.dxf"), dir.path("a.dxf.csv"), {"100"});
    EXPECT_EQ(readFile(dir.path("a.dxf.csv")), "x\r\n");
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.dxf", "a.dxf.csv"}));
#ifndef _WIN32
    EXPECT_EQ(fs::status(dir.path("a.dxf.csv")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // A link as output stays a link; its target gets the CSV.
    fs::create_symlink("a.dxf.csv", dir.path("link.csv"));
    convertFile(dir.path("a.dxf"), dir.path("link.csv"), {"100"});
    EXPECT_TRUE(fs::is_symlink(dir.path("link.csv")));
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.dxf", "a.dxf.csv", "link.csv"}));
#endif
}

TEST(ConversionRunFiles, FailedRunsLeaveTheOutputAsItWas) {
    struct Case {
        const char* name;
        std::string drawing;
        std::string tolerance;
        FailureKind kind;
    };
    const std::string good = drawing(bigEntities(), groupObject(bigHandles()));
    std::string manyTexts;
    for (int i = 0; i <= 5000; ++i) manyTexts += textEntity("T", "t", "0", "0");
    const Case cases[] = {
        {"bad tolerance", good, "abc", FailureKind::NotANumber},
        {"bad number after rows were written",
         drawing(bigEntities() + textEntity("Y", "y", "0", "high"), groupObject(bigHandles()) + groupObject({"H0", "Y"})),
         "100", FailureKind::NotANumber},
        {"cut inside a pair", good.substr(0, good.size() - 4), "100", FailureKind::InputEndsInsidePair},
        {"binary DXF", "AutoCAD Binary DXF\r\n", "100", FailureKind::BinaryDxf},
        {"no DXF at all", "\x89PNG\r\n\x1a\n", "100", FailureKind::NotAsciiDxf},
        {"cut off after rows were written",
         drawing(bigEntities(), groupObject(bigHandles()) + groupObject({"H0"})).substr(0, good.size() - 12), "100",
         FailureKind::DrawingCutOff},
        {"5001st TEXT", drawing(manyTexts, ""), "100", FailureKind::RowOutOfRange},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writeFile(dir.path("a.dxf"), c.drawing);
        writeFile(dir.path("a.dxf.csv"), kOldCsv);
        const RunFailure failure = runFails(dir.path("a.dxf"), dir.path("a.dxf.csv"), c.tolerance);
        EXPECT_EQ(failure.kind(), c.kind) << failure.what();
        EXPECT_EQ(readFile(dir.path("a.dxf.csv")), kOldCsv);
        EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.dxf", "a.dxf.csv"}));
    }
}

TEST(ConversionRunFiles, RefusesOutputsThatCannotOrMustNotBeWritten) {
    struct Case {
        const char* name;
        std::function<std::string(const TempDir&)> output; // prepares and names the output
        FailureKind kind;
    };
    const Case cases[] = {
        {"same path", [](const TempDir& d) { return d.path("a.dxf"); }, FailureKind::OutputIsInput},
        {"another spelling", [](const TempDir& d) { return (d.root() / "." / "sub" / ".." / "a.dxf").string(); },
         FailureKind::OutputIsInput},
#ifndef _WIN32
        {"symbolic link",
         [](const TempDir& d) {
             fs::create_symlink(d.path("a.dxf"), d.path("link.dxf"));
             return d.path("link.dxf");
         },
         FailureKind::OutputIsInput},
#endif
        {"hard link",
         [](const TempDir& d) {
             fs::create_hard_link(d.path("a.dxf"), d.path("hard.dxf"));
             return d.path("hard.dxf");
         },
         FailureKind::OutputIsInput},
        {"folder missing", [](const TempDir& d) { return d.path("missing/a.csv"); }, FailureKind::OutputCannotBeWritten},
        {"output is a directory", [](const TempDir& d) { return d.path("sub"); }, FailureKind::OutputCannotBeWritten},
    };
    const std::string theDrawing = drawing(textEntity("A", "x", "0", "0"), groupObject({"A"}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writeFile(dir.path("a.dxf"), theDrawing);
        fs::create_directory(dir.path("sub"));
        const auto before = dir.names();
        const std::string output = c.output(dir);
        const auto prepared = dir.names();
        const RunFailure failure = runFails(dir.path("a.dxf"), output);
        EXPECT_EQ(failure.kind(), c.kind) << failure.what();
        EXPECT_EQ(readFile(dir.path("a.dxf")), theDrawing);
        EXPECT_EQ(dir.names(), prepared);
        EXPECT_TRUE(fs::is_directory(dir.path("sub")));
        EXPECT_TRUE(fs::is_empty(dir.path("sub")));
    }
}

TEST(ConversionRunFiles, UnusableInputsFailBeforeAnyOutput) {
    TempDir dir;
    const RunFailure missing = runFails(dir.path("missing.dxf"), dir.path("out.csv"));
    EXPECT_EQ(missing.kind(), FailureKind::InputCannotBeOpened);
    EXPECT_EQ(missing.file(), dir.path("missing.dxf"));
    fs::create_directory(dir.path("folder.dxf"));
    const RunFailure folder = runFails(dir.path("folder.dxf"), dir.path("out.csv"));
    EXPECT_EQ(folder.kind(), FailureKind::InputCannotBeOpened);
    EXPECT_NE(std::string(folder.what()).find("is a directory"), std::string::npos);
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"folder.dxf"}));
}

#ifndef _WIN32
bool isRoot() { return ::geteuid() == 0; }

TEST(ConversionRunFiles, PermissionsAreHonoured) {
    TempDir dir;
    fs::permissions(dir.root(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    writeFile(dir.path("a.dxf"), drawing(textEntity("A", "x", "0", "0"), groupObject({"A"})));
    writeFile(dir.path("secret.dxf"), drawing(textEntity("A", "x", "0", "0"), groupObject({"A"})));
    ::chmod(dir.path("secret.dxf").c_str(), 0);
    fs::create_directory(dir.path("ro"));
    ::chmod(dir.path("ro").c_str(), 0555);
    writeFile(dir.path("ro/a.csv"), kOldCsv);

    // Plain checks, no test assertions: they may run in a child process.
    auto check = [&]() -> std::string {
        std::string wrong;
        auto expect = [&](const std::string& in, const std::string& out, FailureKind kind) {
            try {
                convertFile(in, out, {"100"});
                wrong += in + " -> " + out + " succeeded; ";
            } catch (const RunFailure& failure) {
                if (failure.kind() != kind) wrong += std::string(failure.what()) + "; ";
            }
        };
        expect(dir.path("secret.dxf"), dir.path("out.csv"), FailureKind::InputCannotBeOpened);
        expect(dir.path("a.dxf"), dir.path("ro/a.csv"), FailureKind::OutputCannotBeWritten);
        return wrong;
    };
    if (!isRoot()) {
        EXPECT_EQ(check(), "");
    } else {
        // Root reads and writes regardless of permissions: check as an ordinary user instead.
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            constexpr uid_t kNobody = 65534;
            if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(2);
            const std::string wrong = check();
            if (!wrong.empty()) std::fprintf(stderr, "%s\n", wrong.c_str());
            ::_exit(wrong.empty() ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    EXPECT_EQ(readFile(dir.path("ro/a.csv")), kOldCsv);
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.dxf", "ro", "secret.dxf"}));
}
#endif

/// Sets faults for one test and takes them away after it.
class InjectedFaults {
public:
    explicit InjectedFaults(const platform::IoFaults& faults) { platform::ioFaultsForTesting() = faults; }
    ~InjectedFaults() { platform::ioFaultsForTesting() = {}; }
};

TEST(ConversionRunFiles, AWriteThatFailsPartWayLeavesTheOutputAsItWas) {
    TempDir dir;
    writeFile(dir.path("a.dxf"), drawing(bigEntities(), groupObject(bigHandles())));
    writeFile(dir.path("a.dxf.csv"), kOldCsv);
    RunFailure failure(FailureKind::NotANumber, "", 0);
    {
        // A disk that fills up after the first 4 KiB.
        platform::IoFaults faults;
        faults.writeFailsAfter = 4096;
        InjectedFaults injected(faults);
        failure = runFails(dir.path("a.dxf"), dir.path("a.dxf.csv"));
    }
    EXPECT_EQ(failure.kind(), FailureKind::OutputCannotBeWritten);
    EXPECT_NE(std::string(failure.what()).find("write failed: " + test::systemWords(test::SystemCondition::DiskFull)), std::string::npos) << failure.what();
    EXPECT_EQ(readFile(dir.path("a.dxf.csv")), kOldCsv);
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.dxf", "a.dxf.csv"}));
}

TEST(ConversionRunFiles, AReadErrorFailsTheRunOnceAndLeavesTheOutputAsItWas) {
    struct Case {
        const char* name;
        platform::IoFaults faults;
        std::optional<FailureKind> kind; // none: the run succeeds
        std::int64_t line;               // of the failure: the first line not wholly read
    };
    auto faults = [](std::optional<std::uint64_t> readFailsAfter, int interrupted) {
        platform::IoFaults f;
        f.readFailsAfter = readFailsAfter;
        f.interruptedReads = interrupted;
        return f;
    };
    // About 450 KB: more than one block of the reader.
    const std::string theDrawing = drawing(bigEntities() + bigEntities() + bigEntities(), groupObject(bigHandles()));
    constexpr std::size_t kCut = 280 * 1024;
    const auto linesBeforeCut = std::count(theDrawing.begin(), theDrawing.begin() + kCut, '\n');
    const Case cases[] = {
        {"at the first byte", faults(0, 0), FailureKind::InputCannotBeRead, 1},
        {"past the first block", faults(kCut, 0), FailureKind::InputCannotBeRead, linesBeforeCut + 1},
        {"interrupted reads are read again", faults(std::nullopt, 3), std::nullopt, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writeFile(dir.path("a.dxf"), theDrawing);
        writeFile(dir.path("a.dxf.csv"), kOldCsv);
        InjectedFaults injected(c.faults);
        try {
            convertFile(dir.path("a.dxf"), dir.path("a.dxf.csv"), {"100"});
            EXPECT_FALSE(c.kind) << "the run succeeded";
            EXPECT_NE(readFile(dir.path("a.dxf.csv")), kOldCsv);
        } catch (const RunFailure& failure) {
            ASSERT_TRUE(c.kind) << failure.what();
            EXPECT_EQ(failure.kind(), *c.kind);
            EXPECT_EQ(failure.file(), dir.path("a.dxf"));
            EXPECT_EQ(failure.line(), c.line);
            EXPECT_EQ(failure.detail(), "read error: " + test::systemWords(test::SystemCondition::InputOutputError));
            EXPECT_EQ(readFile(dir.path("a.dxf.csv")), kOldCsv);
            EXPECT_EQ(platform::ioFaultsForTesting().readFailures, 1); // read once, not again and again
        }
        EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.dxf", "a.dxf.csv"}));
    }
}

} // namespace
} // namespace dxf2csv
