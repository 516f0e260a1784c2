#pragma once
// A failed call to the system as the detail of a run's failure.

#include "messages/messages.h"
#include "platform/system_error.h"

#include <string>
#include <vector>

namespace dxf2csv {

/// The detail and its arguments that tell `error`.
struct SystemDetail {
    Detail detail;
    std::vector<std::string> args;
};

inline SystemDetail systemDetail(const platform::SystemError& error) {
    using platform::FileStep;
    switch (error.step) {
    case FileStep::None: return {Detail::SystemSaid, {error.message}};
    case FileStep::IsDirectory: return {Detail::IsDirectory, {}};
    case FileStep::CreateIn: return {Detail::CannotCreateIn, {error.subject, error.message}};
    case FileStep::Write: return {Detail::WriteFailed, {error.message}};
    case FileStep::Flush: return {Detail::CannotFlush, {error.message}};
    case FileStep::Close: return {Detail::CannotClose, {error.message}};
    case FileStep::Replace: return {Detail::CannotReplace, {error.message}};
    }
    return {Detail::SystemSaid, {error.message}};
}

} // namespace dxf2csv
