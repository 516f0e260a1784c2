// Files on Windows: bytes as on disk, file identity without inodes, and files that another
// program holds open, as a spreadsheet holds a CSV and a virus scanner a file it reads.

#include "platform/same_file.h"
#include "run/conversion_run.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

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

/// Opens `path` the way another program would, sharing only what `share` allows.
HANDLE holdOpen(const std::string& path, DWORD share) {
    return CreateFileW(fs::path(path).wstring().c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(WindowsFiles, TextModeCutsNothing) {
    // A 0x1A byte ends a file read in text mode, and CR LF becomes LF; the drawing is read,
    // and the CSV written, byte for byte.
    TempDir dir;
    writeFile(dir.path("a.dxf"), drawing(textEntity("A", "a\x1A" "b", "0", "0") + textEntity("B", "c", "0", "500"),
                                         groupObject({"A", "B"})));
    const RunReport report = convertFile(dir.path("a.dxf"), dir.path("a.dxf.csv"), {"100"});
    EXPECT_EQ(readFile(dir.path("a.dxf.csv")), "c\r\na\x1A" "b\r\n");
    EXPECT_EQ(report.lines().back(), "処理終了");
}

TEST(WindowsFiles, SameFileByVolumeAndFileIndex) {
    // Regression: with st_ino always 0 every two files were "the same".
    TempDir dir;
    writeFile(dir.path("a.dxf"), "a");
    writeFile(dir.path("b.dxf"), "b");
    fs::create_directory(dir.path("sub"));
    fs::create_hard_link(dir.path("a.dxf"), dir.path("hard.dxf"));
    struct Case {
        const char* name;
        std::string other;
        bool same;
    };
    const Case cases[] = {
        {"another file", dir.path("b.dxf"), false},
        {"a missing file", dir.path("c.dxf"), false},
        {"the same path", dir.path("a.dxf"), true},
        {"other letter case", dir.path("A.DXF"), true},
        {"slashes and dots", dir.root().generic_string() + "/sub/../a.dxf", true},
        {"a hard link", dir.path("hard.dxf"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::sameFile(dir.path("a.dxf"), c.other), c.same);
    }
}

TEST(WindowsFiles, FilesHeldOrProtectedByOthers) {
    struct Case {
        const char* name;
        std::function<HANDLE(const TempDir&)> prepare; // returns a handle to close after the run, or null
        bool succeeds;
        FailureKind kind;
    };
    const Case cases[] = {
        {"the drawing opened for exclusive use",
         [](const TempDir& d) { return holdOpen(d.path("a.dxf"), 0); }, false, FailureKind::InputCannotBeOpened},
        {"the CSV open in a spreadsheet",
         [](const TempDir& d) { return holdOpen(d.path("a.dxf.csv"), FILE_SHARE_READ | FILE_SHARE_WRITE); }, false,
         FailureKind::OutputCannotBeWritten},
        {"the CSV marked read-only",
         [](const TempDir& d) {
             SetFileAttributesW(fs::path(d.path("a.dxf.csv")).wstring().c_str(), FILE_ATTRIBUTE_READONLY);
             return HANDLE(nullptr);
         },
         false, FailureKind::OutputCannotBeWritten},
        {"the CSV read by a scanner for a moment",
         [](const TempDir& d) {
             const HANDLE held = holdOpen(d.path("a.dxf.csv"), FILE_SHARE_READ | FILE_SHARE_WRITE);
             std::thread([held] {
                 Sleep(300);
                 CloseHandle(held);
             }).detach();
             return HANDLE(nullptr);
         },
         true, FailureKind::OutputCannotBeWritten},
    };
    const std::string theDrawing = drawing(textEntity("A", "x", "0", "0"), groupObject({"A"}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writeFile(dir.path("a.dxf"), theDrawing);
        writeFile(dir.path("a.dxf.csv"), kOldCsv);
        const HANDLE held = c.prepare(dir);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        try {
            convertFile(dir.path("a.dxf"), dir.path("a.dxf.csv"), {"100"});
            EXPECT_TRUE(c.succeeds) << "the run succeeded";
        } catch (const RunFailure& failure) {
            EXPECT_FALSE(c.succeeds) << failure.what();
            EXPECT_EQ(failure.kind(), c.kind) << failure.what();
        }
        if (held != nullptr) CloseHandle(held);
        SetFileAttributesW(fs::path(dir.path("a.dxf.csv")).wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(readFile(dir.path("a.dxf.csv")), c.succeeds ? "x\r\n" : kOldCsv);
        EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.dxf", "a.dxf.csv"})); // no staged file left
    }
}

TEST(WindowsFiles, AReplacedCsvKeepsItsAttributes) {
    TempDir dir;
    writeFile(dir.path("a.dxf"), drawing(textEntity("A", "x", "0", "0"), groupObject({"A"})));
    writeFile(dir.path("a.dxf.csv"), kOldCsv);
    const std::wstring csv = fs::path(dir.path("a.dxf.csv")).wstring();
    SetFileAttributesW(csv.c_str(), FILE_ATTRIBUTE_HIDDEN);
    convertFile(dir.path("a.dxf"), dir.path("a.dxf.csv"), {"100"});
    EXPECT_EQ(readFile(dir.path("a.dxf.csv")), "x\r\n");
    EXPECT_NE(GetFileAttributesW(csv.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    // A new CSV is an ordinary file, not hidden like the staged one's name suggests.
    convertFile(dir.path("a.dxf"), dir.path("new.csv"), {"100"});
    EXPECT_EQ(GetFileAttributesW(fs::path(dir.path("new.csv")).wstring().c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

} // namespace
} // namespace dxf2csv
