#include "platform/standard_streams.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace dxf2csv::platform {

SystemError printText(StandardStream stream, std::string_view utf8) { return writeBytes(stream, utf8); }

SystemError writeBytes(StandardStream stream, std::string_view bytes) {
    const int fd = stream == StandardStream::Output ? STDOUT_FILENO : STDERR_FILENO;
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return {std::strerror(errno)};
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

} // namespace dxf2csv::platform
