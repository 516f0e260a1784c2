// dxf2csv over every real drawing of tests/data/corpus, in one process, against the outcome
// recorded for each drawing in expected.txt.

#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <sys/wait.h>

namespace dxf2csv {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> expectations(const std::string& file) {
    std::map<std::string, std::string> expected;
    std::ifstream in(std::string(TEST_DATA_DIR) + "/corpus/" + file);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        const auto tab = line.find('\t');
        expected[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return expected;
}

/// Runs dxf2csv with `options` over every drawing of `expected`, in `dir`; returns each
/// drawing's failure ("fail KIND LINE") or, through `report`, what its report says.
std::map<std::string, std::string> outcomes(const std::map<std::string, std::string>& expected, const test::TempDir& dir,
                                            const std::string& options,
                                            const std::function<void(const std::string&, const std::string&, std::string&)>& report) {
    std::string args = " " + options;
    for (const auto& [name, outcome] : expected) {
        fs::copy_file(std::string(TEST_DATA_DIR) + "/corpus/" + name, dir.path(name));
        args += " '" + dir.path(name) + "'";
    }
    // In English whatever the locale of the machine, as expected.txt records the kinds.
    const std::string command = "LANGUAGE= LC_ALL= LC_MESSAGES= LANG=C " + std::string(DXF2CSV_EXE) + args + " >" + dir.path("stdout") + " 2>" + dir.path("stderr");
    const int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 1); // some drawings fail

    // What each drawing gave: its report on standard output, or its failure on standard error.
    std::map<std::string, std::string> actual;
    std::istringstream out(test::readFile(dir.path("stdout")));
    std::string current;
    const std::regex header("==> .*/([^/]+) <==");
    for (std::string line; std::getline(out, line);) {
        std::smatch m;
        if (std::regex_match(line, m, header)) {
            current = m[1];
            actual[current] = "ok";
        } else {
            report(current, line, actual[current]);
        }
    }
    std::istringstream err(test::readFile(dir.path("stderr")));
    const std::regex failure("dxf2csv: .*/([^/:]+?)(?::(\\d+))?: ([a-zA-Z0-9. ]+?): .*");
    for (std::string line; std::getline(err, line);) {
        std::smatch m;
        EXPECT_TRUE(std::regex_match(line, m, failure)) << line;
        actual[m[1]] = "fail " + std::regex_replace(m[3].str(), std::regex(" "), "_") + " " +
                       (m[2].matched ? m[2].str() : "0");
    }
    return actual;
}

TEST(RealDrawings, EachConvertsOrFailsAsRecordedWithGroupedTables) {
    const auto expected = expectations("expected.txt");
    ASSERT_GE(expected.size(), 40u);
    test::TempDir dir;
    const std::regex recognized("認識した要素数 : (\\d+).*"), total("計上した材料の総数 : (\\d+)");
    const auto actual = outcomes(expected, dir, "--tables grouped",
                                 [&](const std::string& drawing, const std::string& line, std::string& outcome) {
                                     std::smatch m;
                                     if (std::regex_match(line, m, recognized)) outcome += " recognized=" + m[1].str();
                                     if (std::regex_match(line, m, total)) {
                                         EXPECT_EQ(m[1].str(), "0") << drawing;
                                     }
                                 });
    for (const auto& [name, outcome] : expected) {
        SCOPED_TRACE(name);
        EXPECT_EQ(actual.at(name), outcome);
        // No drawing here groups TEXT entities: a converted one has an empty CSV.
        if (outcome.rfind("ok", 0) == 0) {
            EXPECT_EQ(test::readFile(dir.path(name + ".csv")), "");
        } else {
            EXPECT_FALSE(fs::exists(dir.path(name + ".csv")));
        }
    }
}

TEST(RealDrawings, DrawnTablesAsRecorded) {
    // The tables each drawing draws, as the automatic choice finds them (none of these drawings
    // groups TEXTs): their shapes and texts, recorded in expected_ruled.txt after a look at
    // each CSV.
    const auto expected = expectations("expected_ruled.txt");
    ASSERT_GE(expected.size(), 40u);
    test::TempDir dir;
    const std::regex table("表\\d+ : (\\d+) 行 × (\\d+) 列、文字 (\\d+) 個");
    const auto actual = outcomes(expected, dir, "--encoding utf-8",
                                 [&](const std::string&, const std::string& line, std::string& outcome) {
                                     std::smatch m;
                                     if (std::regex_match(line, m, table))
                                         outcome += " " + m[1].str() + "x" + m[2].str() + ":" + m[3].str();
                                 });
    for (const auto& [name, outcome] : expected) {
        SCOPED_TRACE(name);
        EXPECT_EQ(actual.at(name), outcome);
    }
}

} // namespace
} // namespace dxf2csv
