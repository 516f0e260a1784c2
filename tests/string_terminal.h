#pragma once
// A terminal of strings, so that the command line's tests see what it prints.

#include "terminal.h"

#include <memory>
#include <string>
#include <utility>

namespace dxf2csv::test {

/// What was printed or written to each stream, and an input given up front.
class StringTerminal final : public Terminal {
public:
    explicit StringTerminal(std::string input = {}) : input_(std::move(input)) {}

    platform::SystemError print(StandardStream stream, std::string_view text) override { return write(stream, text); }
    platform::SystemError write(StandardStream stream, std::string_view bytes) override {
        if (stream == StandardStream::Output && !outputFailure.empty()) return {outputFailure};
        (stream == StandardStream::Output ? out : err) += bytes;
        return {};
    }
    std::unique_ptr<ByteSource> standardInput() override {
        return std::make_unique<OwnedSource>(std::exchange(input_, {}));
    }

    std::string out; ///< standard output
    std::string err; ///< standard error
    /// When set, standard output cannot be written and the system says this.
    std::string outputFailure;

private:
    /// A source that owns the bytes it hands out.
    class OwnedSource final : public ByteSource {
    public:
        explicit OwnedSource(std::string bytes) : bytes_(std::move(bytes)), source_(bytes_) {}
        ReadResult read(char* buffer, std::size_t size) override { return source_.read(buffer, size); }

    private:
        std::string bytes_;
        MemorySource source_;
    };

    std::string input_;
};

} // namespace dxf2csv::test
