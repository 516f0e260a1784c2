#include "terminal.h"

#include <utility>

namespace dxf2csv {
namespace {

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

std::unique_ptr<ByteSource> StandardTerminal::standardInput() {
    return std::make_unique<FileSource>(FileSource::StandardInput{"-"});
}

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
