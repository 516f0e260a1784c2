// The real dxf2csv.exe, started with a wide command line as Explorer or cmd.exe starts it:
// names outside the system's code page arrive whole, and the report reaches a pipe or a file
// as UTF-8.

#include "platform/wide_text_windows.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <utility>
#include <vector>

namespace dxf2csv {
namespace {

namespace fs = std::filesystem;
using platform::narrow;
using platform::widen;

/// dxf2csv.exe beside this test program.
std::wstring programPath() {
    std::wstring self(MAX_PATH, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    return (fs::path(self).parent_path() / L"dxf2csv.exe").wstring();
}

/// The bytes of a file whose name need not fit the system's code page.
std::string readWide(const fs::path& path) {
    const HANDLE file = CreateFileW(path.wstring().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "(cannot open: " + std::to_string(GetLastError()) + ")";
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

/// A file that the child inherits as a standard stream.
HANDLE inheritable(const std::wstring& path, DWORD access, DWORD creation) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, creation,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

struct Outcome {
    DWORD status = 9999;
    std::string out;
    std::string err;
};

/// Runs dxf2csv.exe with `args` (UTF-8, each quoted), standard output and error to files.
Outcome run(const std::vector<std::string>& args, const fs::path& scratch) {
    std::wstring commandLine = L"\"" + programPath() + L"\"";
    for (const std::string& arg : args) commandLine += L" \"" + widen(arg) + L"\"";
    const fs::path outPath = scratch / L"stdout", errPath = scratch / L"stderr";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = inheritable(outPath.wstring(), GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = inheritable(errPath.wstring(), GENERIC_WRITE, CREATE_ALWAYS);
    PROCESS_INFORMATION process{};
    Outcome outcome;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &outcome.status);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        ADD_FAILURE() << "cannot start dxf2csv.exe: " << GetLastError();
    }
    for (const HANDLE h : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) CloseHandle(h);
    outcome.out = readWide(outPath);
    outcome.err = readWide(errPath);
    return outcome;
}

std::string utf8(const fs::path& path) { return narrow(path.wstring()); }

std::string fixture(const char* name) { return test::readFile(std::string(TEST_DATA_DIR) + "/" + name); }

std::string withoutCr(std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, "\n");
    return text;
}

TEST(WindowsProcess, JapaneseNamesSurviveTheCommandLine) {
    // Regression: the narrow argv turned 図面\部品表.dxf into ??\???.dxf. Hangul and ü lie
    // outside both the Japanese and the Western code page, so no system locale saves them.
    test::TempDir dir;
    const fs::path folder = dir.root() / widen("図面 한ü");
    fs::create_directory(folder);
    const fs::path drawing = folder / widen("部品表.dxf");
    const fs::path cutOff = folder / widen("途中.dxf");
    for (const auto& [path, bytes] : {std::pair{drawing, fixture("two_tables.dxf")},
                                      std::pair{cutOff, std::string("  0\nSECTION\n  2\nENTITIES\n")}}) {
        const HANDLE file = CreateFileW(path.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    const std::string report = withoutCr(fixture("two_tables.report"));

    struct Case {
        const char* name;
        std::vector<std::string> args;
        fs::path csv;
    };
    const Case cases[] = {
        {"beside the drawing", {utf8(drawing)}, folder / widen("部品表.dxf.csv")},
        {"a Japanese -o name", {"-o", utf8(folder / widen("出力 한.csv")), utf8(drawing)}, folder / widen("出力 한.csv")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome o = run(c.args, dir.root());
        EXPECT_EQ(o.status, 0u) << o.err;
        EXPECT_EQ(o.err, "");
        EXPECT_EQ(o.out, report);
        EXPECT_EQ(readWide(c.csv), fixture("two_tables.csv"));
    }

    // A failure names the drawing in UTF-8 and writes no CSV.
    const Outcome failed = run({utf8(cutOff)}, dir.root());
    EXPECT_EQ(failed.status, 1u);
    EXPECT_EQ(failed.out, "");
    EXPECT_EQ(failed.err, "dxf2csv: " + utf8(cutOff) +
                              ":4: drawing cut off: the section \"ENTITIES\" has no ENDSEC: the file ends inside it\n");
    EXPECT_FALSE(fs::exists(folder / widen("途中.dxf.csv")));
    // A tolerance that is no number is a usage error before any drawing is read.
    EXPECT_EQ(run({"-t", "abc", utf8(drawing)}, dir.root()).status, 2u);
    EXPECT_EQ(readWide(folder / widen("部品表.dxf.csv")), fixture("two_tables.csv"));

    // Wildcards, which cmd leaves to the program: a folder's drawings, or none.
    const Outcome one = run({utf8(folder / widen("部*.dxf"))}, dir.root());
    EXPECT_EQ(one.status, 0u) << one.err;
    EXPECT_EQ(one.out, report);
    const Outcome both = run({utf8(folder) + "\\*.dxf"}, dir.root());
    EXPECT_EQ(both.status, 1u); // 途中.dxf is cut off
    EXPECT_NE(both.out.find("==> " + utf8(folder) + "\\部品表.dxf <=="), std::string::npos) << both.out;
    EXPECT_NE(both.err.find(utf8(folder) + "\\途中.dxf:4: drawing cut off"), std::string::npos) << both.err;
    const Outcome none = run({utf8(folder / widen("無い*.dxf"))}, dir.root());
    EXPECT_EQ(none.status, 1u);
    EXPECT_EQ(none.err, "dxf2csv: " + utf8(folder / widen("無い*.dxf")) + ": no file matches\n");

    // "/?" asks for the help, as the system's own commands take it.
    for (const char* help : {"--help", "/?"}) {
        const Outcome o = run({help}, dir.root());
        EXPECT_EQ(o.status, 0u) << help;
        EXPECT_EQ(o.out.rfind("usage: dxf2csv", 0), 0u) << help;
    }
    EXPECT_EQ(run({}, dir.root()).status, 2u);
}

} // namespace
} // namespace dxf2csv
