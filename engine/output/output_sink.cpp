#include "output/output_sink.h"

#include "messages/run_failure.h"
#include "messages/system_failure.h"

namespace dxf2csv {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

} // namespace

AtomicFile::AtomicFile(const std::string& path) : path_(path) {
    check(file_.open(path));
    buffer_.reserve(kBufferSize);
}

void AtomicFile::check(const platform::SystemError& error) const {
    if (!error) return;
    SystemDetail told = systemDetail(error);
    throw RunFailure(FailureKind::OutputCannotBeWritten, path_, 0, told.detail, std::move(told.args));
}

void AtomicFile::write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() > kBufferSize) flushBuffer();
    buffer_ += bytes;
}

void AtomicFile::flushBuffer() {
    check(file_.write(buffer_));
    buffer_.clear();
}

void AtomicFile::commit() {
    flushBuffer();
    check(file_.commit());
}

} // namespace dxf2csv
