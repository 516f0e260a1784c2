#pragma once
// Faults that tests inject into reading the drawing and writing the CSV, the same on every
// system, so that what a failure leaves behind can be checked without a broken disk.

#include <cstddef>
#include <cstdint>
#include <optional>

namespace dxf2csv::platform {

struct IoFaults {
    /// Reads of a file fail with an input/output error once this many of its bytes are read.
    /// A reader that tried again and again would hang a test: after kGivingUp failures in a
    /// row the file ends instead, and the test sees a run that should have failed succeed.
    std::optional<std::uint64_t> readFailsAfter;
    static constexpr int kGivingUp = 1000;
    int readFailures = 0; ///< how many reads have failed so far
    /// Writes of a staged file fail as on a full disk once this many of its bytes are written.
    std::optional<std::uint64_t> writeFailsAfter;
    /// This many reads are interrupted by a signal before they read anything (POSIX), and must
    /// be tried again.
    int interruptedReads = 0;
};

/// How many of `size` bytes a read or a write may move when the faults let `limit` bytes move
/// in all and `done` have moved: all of them without a limit, fewer up to the limit, and
/// nothing once it is reached (the call must fail then).
std::optional<std::size_t> bytesBeforeFault(const std::optional<std::uint64_t>& limit, std::uint64_t done,
                                            std::size_t size) noexcept;

/// The faults in force; none unless a test sets them.
IoFaults& ioFaultsForTesting();

} // namespace dxf2csv::platform
