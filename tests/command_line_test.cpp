// The dxf2csv command line: options, several drawings, exit statuses, and one real process.

#include "command_line.h"
#include "system_words.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>
#ifndef _WIN32 // Windows runs the real process in its own test
#include <sys/wait.h>
#endif

namespace dxf2csv {
namespace {

using test::drawing;
using test::groupObject;
using test::readFile;
using test::TempDir;
using test::textEntity;
using test::writeFile;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(const std::vector<std::string>& args) {
    StringTerminal terminal;
    const int status = runCommandLine(args, terminal);
    return {status, terminal.out, terminal.err};
}

TEST(CommandLine, UsageErrorsAndHelp) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
    };
    const Case cases[] = {
        {"no drawing", {}, kExitUsage},
        {"-o with two drawings", {"-o", "x.csv", "a.dxf", "b.dxf"}, kExitUsage},
        {"unknown option", {"-x", "a.dxf"}, kExitUsage},
        {"-t without value", {"a.dxf", "-t"}, kExitUsage},
        {"help", {"--help"}, kExitSuccess},
        {"version", {"--version"}, kExitSuccess},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome o = run(c.args);
        EXPECT_EQ(o.status, c.status);
        if (c.status == kExitUsage) {
            EXPECT_EQ(o.out, "");
            EXPECT_EQ(o.err.rfind("dxf2csv: ", 0), 0u) << o.err;
        } else {
            EXPECT_EQ(o.err, "");
            EXPECT_NE(o.out.find("dxf2csv"), std::string::npos);
        }
    }
    EXPECT_EQ(run({"--help"}).out.rfind("usage: dxf2csv [-t TOLERANCE] [-o OUTPUT] DRAWING...", 0), 0u);
}

TEST(CommandLine, SeveralDrawingsEachReportedAndAFailureDoesNotStopTheRest) {
    TempDir dir;
    writeFile(dir.path("a.dxf"), drawing(textEntity("A", "a", "0", "0"), groupObject({"A"})));
    writeFile(dir.path("bad.dxf"), "  0\nSECTION\n  2\nENTITIES\nxx\nTEXT\n");
    writeFile(dir.path("b.dxf"), drawing(textEntity("B", "b", "0", "0") + textEntity("C", "c", "0", "0"),
                                         groupObject({"B", "C"})));
    const Outcome o = run({"-t", "10", dir.path("a.dxf"), dir.path("bad.dxf"), dir.path("b.dxf")});
    EXPECT_EQ(o.status, kExitRunFailed);
    EXPECT_EQ(o.out, "==> " + dir.path("a.dxf") + " <==\n"
                     "認識した要素数 : 1（５０００要素以下が必須！！）\n計上した材料数 : 1\n"
                     "計上した材料の総数 : 1\n処理終了\n"
                     "\n==> " + dir.path("b.dxf") + " <==\n"
                     "認識した要素数 : 2（５０００要素以下が必須！！）\n計上した材料数 : 2\n"
                     "計上した材料の総数 : 2\n処理終了\n");
    EXPECT_EQ(o.err, "dxf2csv: " + dir.path("bad.dxf") + ":5: not a number: \"xx\"\n");
    EXPECT_EQ(readFile(dir.path("a.dxf.csv")), "a\r\n");
    EXPECT_EQ(readFile(dir.path("b.dxf.csv")), "b,c\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path("bad.dxf.csv")));

    // One drawing: no header; -o names the CSV; "-t" may be joined to its value.
    const Outcome one = run({"-t5", "-o", dir.path("out.csv"), dir.path("a.dxf")});
    EXPECT_EQ(one.status, kExitSuccess);
    EXPECT_EQ(one.out.rfind("認識した要素数", 0), 0u);
    EXPECT_EQ(readFile(dir.path("out.csv")), "a\r\n");
}

TEST(CommandLine, OptionFormsAndRelativeNames) {
    struct Case {
        const char* name;
        std::vector<std::string> args; // run in a folder holding plan.dxf, -plan.dxf and sub/plan.dxf
        const char* written;           // the CSV that must appear, relative to that folder
        const char* csv;
    };
    // b lies 40 above a and left of it: one row at the default tolerance, two rows at 10.
    const Case cases[] = {
        {"-t joined to its value", {"-t10", "plan.dxf"}, "plan.dxf.csv", "b\r\na\r\n"},
        {"-t apart from its value", {"-t", "10", "plan.dxf"}, "plan.dxf.csv", "b\r\na\r\n"},
        {"-o joined to its value", {"-oout.csv", "plan.dxf"}, "out.csv", "b,a\r\n"},
        {"-o without a folder is written here", {"-o", "out.csv", "sub/plan.dxf"}, "out.csv", "b,a\r\n"},
        {"-- ends the options", {"--", "-plan.dxf"}, "-plan.dxf.csv", "b,a\r\n"},
        {"options before --, drawings after", {"-t", "10", "--", "-plan.dxf"}, "-plan.dxf.csv", "b\r\na\r\n"},
        {"a drawing in a folder gets its CSV there", {"sub/plan.dxf"}, "sub/plan.dxf.csv", "b,a\r\n"},
    };
    const std::string d = drawing(textEntity("A", "a", "5", "0") + textEntity("B", "b", "0", "40"), groupObject({"A", "B"}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::filesystem::create_directory(dir.path("sub"));
        for (const char* name : {"plan.dxf", "-plan.dxf", "sub/plan.dxf"}) writeFile(dir.path(name), d);
        const auto before = dir.names();
        Outcome o;
        {
            test::WorkingDirectory here(dir.root());
            o = run(c.args);
        }
        EXPECT_EQ(o.status, kExitSuccess) << o.err;
        EXPECT_EQ(readFile(dir.path(c.written)), c.csv);
        // Nothing else appears: no CSV in the wrong folder, no temporary file.
        auto after = dir.names();
        after.erase(std::remove(after.begin(), after.end(), c.written), after.end());
        EXPECT_EQ(after, before);
    }
}

TEST(CommandLine, FaultsAreReportedAndLeaveTheCsvAsItWas) {
    struct Case {
        const char* name;
        std::function<std::vector<std::string>(const TempDir&)> prepare; // returns the arguments
        std::string message;                                            // after "dxf2csv: DIR/"
    };
    const std::string good = drawing(textEntity("A", "a", "0", "0"), groupObject({"A"}));
    std::string texts5001;
    for (int i = 0; i <= 5000; ++i) texts5001 += textEntity("T", "t", "0", "0");
    auto drawingFile = [](const TempDir& d, const std::string& bytes) {
        writeFile(d.path("plan.dxf"), bytes);
        return std::vector<std::string>{d.path("plan.dxf")};
    };
    const Case cases[] = {
        {"input missing", [](const TempDir& d) { return std::vector<std::string>{d.path("plan.dxf")}; },
         "plan.dxf: cannot open input: " + test::systemWords(test::SystemCondition::NoSuchFile)},
        {"input is a directory",
         [](const TempDir& d) {
             std::filesystem::create_directory(d.path("plan.dxf"));
             return std::vector<std::string>{d.path("plan.dxf")};
         },
         "plan.dxf: cannot open input: is a directory"},
        {"output folder missing",
         [&](const TempDir& d) {
             auto args = drawingFile(d, good);
             return std::vector<std::string>{"-o", d.path("none/out.csv"), args[0]};
         },
         "none/out.csv: cannot write output: cannot create a file in "},
        {"output is the input",
         [&](const TempDir& d) {
             auto args = drawingFile(d, good);
             return std::vector<std::string>{"-o", d.path("plan.dxf"), args[0]};
         },
         "plan.dxf: output is the input: the output would overwrite the drawing "},
        {"5001st TEXT", [&](const TempDir& d) { return drawingFile(d, drawing(texts5001, "")); },
         "plan.dxf:" + std::to_string(14 + 5000 * 16 + 4) + ": row outside 1..5000: TEXT number 5001 does not fit the table"},
        {"5001st member",
         [&](const TempDir& d) { return drawingFile(d, drawing(textEntity("A", "a", "0", "0"), groupObject(std::vector<std::string>(5001, "A")))); },
         "plan.dxf:" + std::to_string(14 + 16 + 6 + 10 + 5001 * 2) + ": row outside 1..5000: GROUP member 5001 for handle \"A\""},
        {"output is a directory",
         [&](const TempDir& d) {
             auto args = drawingFile(d, good);
             std::filesystem::create_directory(d.path("out.csv"));
             return std::vector<std::string>{"-o", d.path("out.csv"), args[0]};
         },
         "out.csv: cannot write output: is a directory"},
        {"total past 32767",
         [&](const TempDir& d) {
             std::string objects;
             for (int g = 0; g < 7; ++g) objects += groupObject(std::vector<std::string>(5000, "A"));
             return drawingFile(d, drawing(textEntity("A", "a", "0", "0"), objects));
         },
         "plan.dxf:" + std::to_string(14 + 16 + 6 + 7 * (10 + 5000 * 2) + 2) /* the ENDSEC that flushes it */ + ": number out of range: total count reaches 35000"},
        {"cut inside a pair", [&](const TempDir& d) { return drawingFile(d, "  0\nSECTION\n  2\nENTITIES\n  0\n"); },
         "plan.dxf:5: input ends inside a pair: group code 0 has no value line"},
        {"binary DXF", [&](const TempDir& d) { return drawingFile(d, "AutoCAD Binary DXF\r\n\x1a"); },
         "plan.dxf: binary DXF: this is a binary DXF; save the drawing as ASCII DXF and convert that"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const auto args = c.prepare(dir);
        const std::string csv = args.size() == 1 ? args[0] + ".csv" : args[1];
        const bool csvFolderExists = std::filesystem::exists(std::filesystem::path(csv).parent_path());
        if (csvFolderExists && !std::filesystem::exists(csv)) writeFile(csv, "old\r\n");
        const auto before = dir.names();
        const bool csvIsDirectory = std::filesystem::is_directory(csv);
        const std::string old = csvIsDirectory ? "" : readFile(csv);
        const Outcome o = run(args);
        EXPECT_EQ(o.status, kExitRunFailed);
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.err.rfind("dxf2csv: " + dir.path("") + c.message, 0), 0u) << o.err;
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1);
        if (csvIsDirectory) {
            EXPECT_TRUE(std::filesystem::is_empty(csv));
        } else {
            EXPECT_EQ(readFile(csv), old);
        }
        EXPECT_EQ(dir.names(), before); // no temporary file left
    }
}

#ifndef _WIN32
/// Runs the real dxf2csv; returns its exit status, with stdout and stderr in files.
int runProcess(const std::string& args, const TempDir& dir) {
    const std::string command = std::string(DXF2CSV_EXE) + " " + args + " >" + dir.path("stdout") + " 2>" +
                                dir.path("stderr") + " </dev/null";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

TEST(CommandLineProcess, ConvertsAFixtureAndAFailedRunKeepsTheCsv) {
    TempDir dir;
    writeFile(dir.path("plan.dxf"), readFile(std::string(TEST_DATA_DIR) + "/two_tables.dxf"));
    ASSERT_EQ(runProcess("'" + dir.path("plan.dxf") + "'", dir), 0) << readFile(dir.path("stderr"));
    const std::string csv = readFile(dir.path("plan.dxf.csv"));
    EXPECT_EQ(csv, readFile(std::string(TEST_DATA_DIR) + "/two_tables.csv"));
    std::string report = readFile(std::string(TEST_DATA_DIR) + "/two_tables.report");
    for (std::size_t at; (at = report.find("\r\n")) != std::string::npos;) report.replace(at, 2, "\n");
    EXPECT_EQ(readFile(dir.path("stdout")), report);
    EXPECT_EQ(readFile(dir.path("stderr")), "");

    EXPECT_EQ(runProcess("-t abc '" + dir.path("plan.dxf") + "'", dir), 1);
    EXPECT_EQ(readFile(dir.path("stderr")), "dxf2csv: " + dir.path("plan.dxf") + ": not a number: tolerance \"abc\"\n");
    EXPECT_EQ(readFile(dir.path("stdout")), "");
    EXPECT_EQ(readFile(dir.path("plan.dxf.csv")), csv);

    EXPECT_EQ(runProcess("--help", dir), 0);
    EXPECT_EQ(runProcess("", dir), 2);
}
#endif

} // namespace
} // namespace dxf2csv
