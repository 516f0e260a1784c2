#include "terminal.h"

#include "run_failure.h"

#include <utility>

namespace dxf2csv {
namespace {

/// Standard input through the platform layer.
class StandardInputSource final : public ByteSource {
public:
    StandardInputSource() {
        if (const platform::SystemError error = file_.openStandardInput())
            throw RunFailure(FailureKind::InputCannotBeOpened, "-", 0, Detail::SystemSaid, {error.message});
    }
    ReadResult read(char* buffer, std::size_t size) override {
        ReadResult result;
        result.error = file_.read(buffer, size, result.size).message;
        return result;
    }

private:
    platform::InputFile file_;
};

/// A source that owns the bytes it hands out.
class OwnedMemorySource final : public ByteSource {
public:
    explicit OwnedMemorySource(std::string bytes) : bytes_(std::move(bytes)), source_(bytes_) {}
    ReadResult read(char* buffer, std::size_t size) override { return source_.read(buffer, size); }

private:
    std::string bytes_;
    MemorySource source_;
};

} // namespace

platform::SystemError StandardTerminal::print(StandardStream stream, std::string_view text) {
    return platform::printText(stream, text);
}

platform::SystemError StandardTerminal::write(StandardStream stream, std::string_view bytes) {
    return platform::writeBytes(stream, bytes);
}

std::unique_ptr<ByteSource> StandardTerminal::standardInput() { return std::make_unique<StandardInputSource>(); }

platform::SystemError StringTerminal::print(StandardStream stream, std::string_view text) {
    return write(stream, text);
}

platform::SystemError StringTerminal::write(StandardStream stream, std::string_view bytes) {
    if (stream == StandardStream::Output && !outputFailure.empty()) return {outputFailure};
    (stream == StandardStream::Output ? out : err) += bytes;
    return {};
}

std::unique_ptr<ByteSource> StringTerminal::standardInput() {
    return std::make_unique<OwnedMemorySource>(std::exchange(input_, {}));
}

} // namespace dxf2csv
