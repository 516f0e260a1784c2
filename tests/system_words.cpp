#include "system_words.h"

#ifdef _WIN32
#include "platform/wide_text_windows.h"

#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#endif

namespace dxf2csv::test {

std::string systemWords(SystemCondition condition) {
#ifdef _WIN32
    switch (condition) {
    case SystemCondition::NoSuchFile: return platform::systemMessage(ERROR_FILE_NOT_FOUND);
    case SystemCondition::DiskFull: return platform::systemMessage(ERROR_DISK_FULL);
    case SystemCondition::InputOutputError: return platform::systemMessage(ERROR_IO_DEVICE);
    }
#else
    switch (condition) {
    case SystemCondition::NoSuchFile: return std::strerror(ENOENT);
    case SystemCondition::DiskFull: return std::strerror(ENOSPC);
    case SystemCondition::InputOutputError: return std::strerror(EIO);
    }
#endif
    return {};
}

} // namespace dxf2csv::test
