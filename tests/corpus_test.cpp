// dxf2csv over every real drawing of tests/data/corpus, in one process, against the outcome
// recorded for each drawing in expected.txt.

#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <sys/wait.h>

namespace dxf2csv {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> expectations() {
    std::map<std::string, std::string> expected;
    std::ifstream in(std::string(TEST_DATA_DIR) + "/corpus/expected.txt");
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        const auto tab = line.find('\t');
        expected[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return expected;
}

TEST(RealDrawings, EachConvertsOrFailsAsRecorded) {
    const auto expected = expectations();
    ASSERT_GE(expected.size(), 40u);
    test::TempDir dir;
    std::string args;
    for (const auto& [name, outcome] : expected) {
        fs::copy_file(std::string(TEST_DATA_DIR) + "/corpus/" + name, dir.path(name));
        args += " '" + dir.path(name) + "'";
    }
    // In English whatever the locale of the machine, as expected.txt records the kinds.
    const std::string command = "LANGUAGE= LC_ALL= LC_MESSAGES= LANG=C " + std::string(DXF2CSV_EXE) + args + " >" + dir.path("stdout") + " 2>" + dir.path("stderr");
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 1); // some drawings fail

    // What each drawing gave: its report on standard output, or its failure on standard error.
    std::map<std::string, std::string> actual;
    std::istringstream out(test::readFile(dir.path("stdout")));
    std::string current;
    const std::regex header("==> .*/([^/]+) <=="), recognized("認識した要素数 : (\\d+).*"), total("計上した材料の総数 : (\\d+)");
    for (std::string line; std::getline(out, line);) {
        std::smatch m;
        if (std::regex_match(line, m, header)) {
            current = m[1];
            actual[current] = "ok";
        } else if (std::regex_match(line, m, recognized)) {
            actual[current] += " recognized=" + m[1].str();
        } else if (std::regex_match(line, m, total)) {
            EXPECT_EQ(m[1].str(), "0") << current;
        }
    }
    std::istringstream err(test::readFile(dir.path("stderr")));
    const std::regex failure("dxf2csv: .*/([^/:]+?)(?::(\\d+))?: ([a-zA-Z0-9. ]+?): .*");
    for (std::string line; std::getline(err, line);) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(line, m, failure)) << line;
        actual[m[1]] = "fail " + std::regex_replace(m[3].str(), std::regex(" "), "_") + " " +
                       (m[2].matched ? m[2].str() : "0");
    }
    for (const auto& [name, outcome] : expected) {
        SCOPED_TRACE(name);
        EXPECT_EQ(actual[name], outcome);
        // No drawing here groups TEXT entities: a converted one has an empty CSV.
        if (outcome.rfind("ok", 0) == 0) {
            EXPECT_EQ(test::readFile(dir.path(name + ".csv")), "");
        } else {
            EXPECT_FALSE(fs::exists(dir.path(name + ".csv")));
        }
    }
}

} // namespace
} // namespace dxf2csv
