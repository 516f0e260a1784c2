#include "terminal.h"

#include <memory>

namespace dxf2csv {
platform::SystemError StandardTerminal::print(StandardStream stream, std::string_view text) {
    return platform::printText(stream, text);
}

platform::SystemError StandardTerminal::write(StandardStream stream, std::string_view bytes) {
    return platform::writeBytes(stream, bytes);
}

std::unique_ptr<ByteSource> StandardTerminal::standardInput() {
    return std::make_unique<FileSource>(FileSource::StandardInput{"-"});
}

} // namespace dxf2csv
