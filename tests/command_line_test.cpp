// The dxf2csv command line: options, several drawings, exit statuses, and one real process.

#include "command_line.h"
#include "string_terminal.h"
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

Outcome run(const std::vector<std::string>& args, std::string input = {}) {
    test::StringTerminal terminal(std::move(input));
    const int status = runCommandLine(args, terminal);
    return {status, terminal.out, terminal.err};
}

TEST(CommandLine, UsageErrorsAndHelpInEitherLanguage) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        const char* english; // the start of what is printed
        const char* japanese;
    };
    const Case cases[] = {
        {"no drawing", {}, kExitUsage, "dxf2csv: no drawing given\nTry 'dxf2csv --help'",
         "dxf2csv: 図面が指定されていません\n詳しくは 'dxf2csv --help' を見てください。"},
        {"-o with two drawings", {"-o", "x.csv", "a.dxf", "b.dxf"}, kExitUsage, "dxf2csv: -o takes one drawing only",
         "dxf2csv: -o に指定できる図面は一つだけです"},
        {"--output= with two drawings", {"--output=x.csv", "a.dxf", "b.dxf"}, kExitUsage,
         "dxf2csv: -o takes one drawing only", "dxf2csv: -o に指定できる図面は一つだけです"},
        {"unknown option", {"-x", "a.dxf"}, kExitUsage, "dxf2csv: unknown option -x", "dxf2csv: 不明なオプションです: -x"},
        {"unknown long option", {"--tolerant=5", "a.dxf"}, kExitUsage, "dxf2csv: unknown option --tolerant=5",
         "dxf2csv: 不明なオプションです: --tolerant=5"},
        {"-t without value", {"a.dxf", "-t"}, kExitUsage, "dxf2csv: option -t needs a value",
         "dxf2csv: オプション -t には値が必要です"},
        {"--encoding without value", {"a.dxf", "--encoding"}, kExitUsage, "dxf2csv: option --encoding needs a value",
         "dxf2csv: オプション --encoding には値が必要です"},
        {"unknown encoding", {"--encoding", "latin-1", "a.dxf"}, kExitUsage, "dxf2csv: unknown encoding latin-1",
         "dxf2csv: 不明な文字コードです: latin-1"},
        {"standard input twice", {"-", "-"}, kExitUsage, "dxf2csv: standard input can be read only once",
         "dxf2csv: 標準入力は一度しか読めません"},
        {"unknown way of finding tables", {"--tables=drawn", "a.dxf"}, kExitUsage,
         "dxf2csv: unknown way of finding tables drawn (auto, grouped, ruled)",
         "dxf2csv: 不明な表の見つけ方です: drawn（auto、grouped、ruled）"},
        {"unknown format", {"--format=ods", "a.dxf"}, kExitUsage, "dxf2csv: unknown format ods (csv, xlsx)",
         "dxf2csv: 不明な出力形式です: ods（csv、xlsx）"},
        {"an encoding for a workbook", {"--format", "xlsx", "--encoding", "utf-8", "a.dxf"}, kExitUsage,
         "dxf2csv: --encoding applies to CSV only; a workbook needs none",
         "dxf2csv: --encoding は CSV だけのものです。ブックには指定できません"},
        {"help", {"--help"}, kExitSuccess,
         "usage: dxf2csv [-t TOLERANCE] [-o OUTPUT] [--format FORMAT] [--encoding ENC] [--tables HOW] DRAWING...\n",
         "使い方: dxf2csv [-t 許容値] [-o 出力] [--format 形式] [--encoding 文字コード] [--tables 見つけ方] 図面...\n"},
        {"version", {"--version"}, kExitSuccess, "dxf2csv ", "dxf2csv "},
    };
    for (const Case& c : cases) {
        for (const Language language : {Language::English, Language::Japanese}) {
            SCOPED_TRACE(std::string(c.name) + (language == Language::Japanese ? ", Japanese" : ", English"));
            test::StringTerminal terminal;
            EXPECT_EQ(runCommandLine(c.args, terminal, language), c.status);
            const std::string& shown = c.status == kExitUsage ? terminal.err : terminal.out;
            EXPECT_EQ(shown.rfind(language == Language::Japanese ? c.japanese : c.english, 0), 0u) << shown;
            EXPECT_EQ(c.status == kExitUsage ? terminal.out : terminal.err, "");
        }
    }
}

TEST(CommandLine, FailuresSpeakTheUsersLanguage) {
    TempDir dir;
    writeFile(dir.path("bad.dxf"), "  0\nSECTION\n  2\nENTITIES\nxx\nTEXT\n");
    for (const Language language : {Language::English, Language::Japanese}) {
        test::StringTerminal terminal;
        EXPECT_EQ(runCommandLine({dir.path("bad.dxf"), dir.path("missing.dxf")}, terminal, language), kExitRunFailed);
        const std::string missing = test::systemWords(test::SystemCondition::NoSuchFile);
        EXPECT_EQ(terminal.err, language == Language::English
                                    ? "dxf2csv: " + dir.path("bad.dxf") + ":5: not a number: \"xx\"\n"
                                      "dxf2csv: " + dir.path("missing.dxf") + ": cannot open input: " + missing + "\n"
                                    : "dxf2csv: " + dir.path("bad.dxf") + ":5: 数値ではありません: \"xx\"\n"
                                      "dxf2csv: " + dir.path("missing.dxf") + ": 入力ファイルを開けません: " + missing + "\n");
        EXPECT_EQ(terminal.out, "");
    }
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

TEST(CommandLine, StandardStreamsLongOptionsAndEncodings) {
    struct Case {
        const char* name;
        std::vector<std::string> args; // run in a folder holding plan.dxf (b 40 above a, left of it)
        std::string input;             // standard input
        int status;
        std::string out, err;          // "report" stands for plan.dxf's report
        const char* file;              // a CSV that must appear in the folder ("" for none)
        std::string csv;
    };
    const std::string d = drawing(textEntity("A", "a", "5", "0") + textEntity("B", "b", "0", "40"), groupObject({"A", "B"}));
    const std::string report = "認識した要素数 : 2（５０００要素以下が必須！！）\n計上した材料数 : 2\n計上した材料の総数 : 2\n処理終了\n";
    const std::string bolt = drawing(textEntity("A", "\\U+D83D\\U+DD29 M8", "0", "0"), groupObject({"A"}));
    const Case cases[] = {
        {"- reads standard input and writes the CSV to standard output", {"-"}, d, 0, "b,a\r\n", report, "", ""},
        {"-o - writes the CSV to standard output", {"-o", "-", "plan.dxf"}, "", 0, "b,a\r\n", report, "", ""},
        {"- with a file as output", {"-", "-o", "out.csv"}, d, 0, report, "", "out.csv", "b,a\r\n"},
        {"long options joined", {"--tolerance=10", "--output=out.csv", "plan.dxf"}, "", 0, report, "", "out.csv",
         "b\r\na\r\n"},
        {"long options apart", {"--tolerance", "10", "--output", "out.csv", "plan.dxf"}, "", 0, report, "", "out.csv",
         "b\r\na\r\n"},
        {"an encoding", {"--encoding=utf-8-bom", "-o", "-", "plan.dxf"}, "", 0, "\xEF\xBB\xBF" "b,a\r\n", report, "", ""},
        {"a failing run from standard input writes nothing to standard output", {"-"}, "  0\nSECTION\nxx\n", 1, "",
         "dxf2csv: (standard input):3: not a number: \"xx\"\n", "", ""},
        {"a failing run to standard output writes nothing there", {"--encoding", "cp932", "-o", "-", "-"}, bolt, 1, "",
         "dxf2csv: (standard input):26: character not in CP932: \"🔩\" (U+1F529) cannot be written in CP932\n", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writeFile(dir.path("plan.dxf"), d);
        Outcome o;
        {
            test::WorkingDirectory here(dir.root());
            o = run(c.args, c.input);
        }
        EXPECT_EQ(o.status, c.status);
        EXPECT_EQ(o.out, c.out == report ? report : c.out);
        EXPECT_EQ(o.err, c.err);
        std::vector<std::string> expected = {"plan.dxf"};
        if (*c.file != '\0') {
            expected.push_back(c.file);
            EXPECT_EQ(readFile(dir.path(c.file)), c.csv);
        }
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(dir.names(), expected);
    }
}

TEST(CommandLine, AnOutputThatCannotBeWrittenIsAFailure) {
    TempDir dir;
    writeFile(dir.path("plan.dxf"), drawing(textEntity("A", "a", "0", "0"), groupObject({"A"})));
    for (const bool csvToOutput : {true, false}) {
        SCOPED_TRACE(csvToOutput ? "the CSV" : "the report");
        test::StringTerminal terminal;
        terminal.outputFailure = "No space left on device";
        const std::vector<std::string> args = csvToOutput ? std::vector<std::string>{"-o", "-", dir.path("plan.dxf")}
                                                          : std::vector<std::string>{dir.path("plan.dxf")};
        EXPECT_EQ(runCommandLine(args, terminal), kExitRunFailed);
        EXPECT_EQ(terminal.err, "dxf2csv: -: cannot write output: standard output: No space left on device\n");
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
        {"5001st TEXT, grouped tables asked for",
         [&](const TempDir& d) {
             auto args = drawingFile(d, drawing(texts5001, ""));
             return std::vector<std::string>{"--tables", "grouped", args[0]};
         },
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
/// Runs the real dxf2csv in `environment` with `input` as its standard input; returns its exit
/// status, with stdout and stderr in files.
int runProcess(const std::string& args, const TempDir& dir, const std::string& environment = "LANGUAGE= LC_ALL= LC_MESSAGES= LANG=C",
               const std::string& input = "/dev/null") {
    const std::string command = environment + " " + std::string(DXF2CSV_EXE) + " " + args + " >" + dir.path("stdout") +
                                " 2>" + dir.path("stderr") + " <'" + input + "'";
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

    // A tolerance that is no number is a usage error, said once whatever the drawings.
    const std::string twice = "'" + dir.path("plan.dxf") + "' '" + dir.path("plan.dxf") + "'";
    EXPECT_EQ(runProcess("-t abc " + twice, dir), 2);
    EXPECT_EQ(readFile(dir.path("stderr")),
              "dxf2csv: not a number: tolerance \"abc\"\nTry 'dxf2csv --help' for more information.\n");
    EXPECT_EQ(readFile(dir.path("stdout")), "");
    EXPECT_EQ(readFile(dir.path("plan.dxf.csv")), csv);

    // The locale of the process decides the language.
    EXPECT_EQ(runProcess("-t 99999 " + twice, dir, "LANGUAGE= LC_ALL= LC_MESSAGES= LANG=ja_JP.UTF-8"), 2);
    EXPECT_EQ(readFile(dir.path("stderr")),
              "dxf2csv: 数値が範囲外です: 許容値 \"99999\"\n詳しくは 'dxf2csv --help' を見てください。\n");

    EXPECT_EQ(runProcess("--help", dir), 0);
    EXPECT_EQ(runProcess("", dir), 2);
}

TEST(CommandLineProcess, AStandardInputThatCannotBeReadFailsAtLineOne) {
    // A folder as standard input: the very first read fails, before any line is read.
    TempDir dir;
    EXPECT_EQ(runProcess("-", dir, "LANGUAGE= LC_ALL= LC_MESSAGES= LANG=C", dir.path("")), 1);
    const std::string err = readFile(dir.path("stderr"));
    EXPECT_EQ(err.rfind("dxf2csv: (standard input):1: cannot read input: read error: ", 0), 0u) << err;
    EXPECT_EQ(readFile(dir.path("stdout")), "");
}
#endif

} // namespace
} // namespace dxf2csv
