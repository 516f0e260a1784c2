#include "reading/byte_source.h"

#include "messages/run_failure.h"
#include "messages/system_failure.h"

#include <cstring>

namespace dxf2csv {

FileSource::FileSource(const std::string& path) {
    if (const platform::SystemError error = file_.open(path)) {
        SystemDetail told = systemDetail(error);
        throw RunFailure(FailureKind::InputCannotBeOpened, path, 0, told.detail, std::move(told.args));
    }
}

FileSource::FileSource(const StandardInput& input) {
    if (const platform::SystemError error = file_.openStandardInput()) {
        SystemDetail told = systemDetail(error);
        throw RunFailure(FailureKind::InputCannotBeOpened, input.name, 0, told.detail, std::move(told.args));
    }
}

ReadResult FileSource::read(char* buffer, std::size_t size) {
    ReadResult result;
    result.error = file_.read(buffer, size, result.size).message;
    return result;
}

ReadResult MemorySource::read(char* buffer, std::size_t size) {
    const std::size_t n = size < bytes_.size() ? size : bytes_.size();
    std::memcpy(buffer, bytes_.data(), n);
    bytes_.remove_prefix(n);
    return {n, {}};
}

} // namespace dxf2csv
