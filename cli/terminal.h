#pragma once
// Where dxf2csv reads and writes: the process's standard streams, or strings in tests.

#include "byte_source.h"
#include "standard_streams.h"
#include "system_error.h"

#include <memory>
#include <string>
#include <string_view>

namespace dxf2csv {

using platform::StandardStream;

class Terminal {
public:
    virtual ~Terminal() = default;
    /// Text for a person, in UTF-8: reports, messages, the help.
    virtual platform::SystemError print(StandardStream stream, std::string_view text) = 0;
    /// Bytes as they are: a CSV written to standard output.
    virtual platform::SystemError write(StandardStream stream, std::string_view bytes) = 0;
    /// Standard input, as the bytes of a drawing.
    virtual std::unique_ptr<ByteSource> standardInput() = 0;
};

/// The process's own standard streams.
class StandardTerminal final : public Terminal {
public:
    platform::SystemError print(StandardStream stream, std::string_view text) override;
    platform::SystemError write(StandardStream stream, std::string_view bytes) override;
    std::unique_ptr<ByteSource> standardInput() override;
};

/// Strings, for tests: what was printed or written to each stream, and an input given up front.
class StringTerminal final : public Terminal {
public:
    explicit StringTerminal(std::string input = {}) : input_(std::move(input)) {}
    platform::SystemError print(StandardStream stream, std::string_view text) override;
    platform::SystemError write(StandardStream stream, std::string_view bytes) override;
    std::unique_ptr<ByteSource> standardInput() override;

    std::string out; ///< standard output
    std::string err; ///< standard error
    /// When set, standard output cannot be written and the system says this.
    std::string outputFailure;

private:
    std::string input_;
};

} // namespace dxf2csv
