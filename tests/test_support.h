#pragma once
// Small drawings and temporary folders for the tests.

#include "messages/run_failure.h"
#include "run/run_settings.h"
#include "reading/instruction_set.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dxf2csv::test {

/// What an in-memory conversion produced.
struct Converted {
    std::string csv;
    std::vector<std::string> report;
};

/// Runs `body` once with each instruction set the processor has (readers and skippers made
/// inside it use no wider one), so that every classifier is tested.
template <class Body>
void withEachInstructionSet(Body body) {
    for (const InstructionSet set : {InstructionSet::Avx2, InstructionSet::Sse2, InstructionSet::Portable}) {
        limitInstructionSetForTesting(set);
        if (widestInstructionSet() != set) continue; // the processor lacks it
        SCOPED_TRACE(set == InstructionSet::Avx2 ? "AVX2" : set == InstructionSet::Sse2 ? "SSE2" : "portable");
        body();
    }
    limitInstructionSetForTesting(InstructionSet::Avx2);
}

/// Converts `drawing` in memory. Fails the test if the run throws.
Converted convert(std::string_view drawing, std::string_view tolerance = "100",
                  TableSource tables = TableSource::Grouped);

/// Converts `drawing` in memory and returns the failure, or nothing when it succeeded.
std::optional<RunFailure> failureOf(std::string_view drawing, std::string_view tolerance = "100",
                                    TableSource tables = TableSource::Grouped);

/// The lines of a TEXT entity: handle (5), content (1), x (10), y (21) and, when not empty,
/// the raw extra pairs appended as they are.
std::string textEntity(std::string_view handle, std::string_view content, std::string_view x,
                       std::string_view y, std::string_view extra = " 73\n2\n");

/// A GROUP object listing `handles` as 340 pairs.
std::string groupObject(const std::vector<std::string>& handles);

/// A drawing with ENTITIES holding `entities` and OBJECTS holding `objects`, ending in EOF.
std::string drawing(std::string_view entities, std::string_view objects);

/// The lines of `bytes` read the plain way, byte by byte, as the reader must read them.
std::vector<std::string> referenceLines(std::string_view bytes);

/// The two exchange passes read plainly: every step compares the slots as they are at that
/// moment and exchanges them as it goes. Slot k of the result holds member result[k].
std::vector<int> plainPasses(const std::vector<double>& x, const std::vector<double>& y, double t);

/// A fresh folder, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string path(std::string_view name) const { return (root_ / name).string(); }
    const std::filesystem::path& root() const { return root_; }
    /// The names in the folder, sorted.
    std::vector<std::string> names() const;

private:
    std::filesystem::path root_;
};

/// Makes a folder the working directory, and goes back when it ends.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& path) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~WorkingDirectory() { std::filesystem::current_path(previous_); }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path previous_;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, std::string_view bytes);

} // namespace dxf2csv::test
