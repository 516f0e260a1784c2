#include "platform/io_faults.h"

namespace dxf2csv::platform {

IoFaults& ioFaultsForTesting() {
    static IoFaults faults;
    return faults;
}

std::optional<std::size_t> bytesBeforeFault(const std::optional<std::uint64_t>& limit, std::uint64_t done,
                                            std::size_t size) noexcept {
    if (!limit) return size;
    if (done >= *limit) return std::nullopt;
    const std::uint64_t left = *limit - done;
    return left < size ? static_cast<std::size_t>(left) : size;
}

} // namespace dxf2csv::platform
