#pragma once
// Where dxf2csv reads and writes: the process's standard streams (tests give strings instead).

#include "platform/standard_streams.h"
#include "platform/system_error.h"
#include "reading/byte_source.h"

#include <memory>
#include <string>
#include <string_view>

namespace dxf2csv {

using platform::StandardStream;

class Terminal {
public:
    virtual ~Terminal() = default;
    /// Text for a person, in UTF-8: reports, messages, the help.
    virtual platform::SystemError print(StandardStream stream, std::string_view text) = 0;
    /// Bytes as they are: a CSV written to standard output.
    virtual platform::SystemError write(StandardStream stream, std::string_view bytes) = 0;
    /// Standard input, as the bytes of a drawing.
    virtual std::unique_ptr<ByteSource> standardInput() = 0;
};

/// The process's own standard streams.
class StandardTerminal final : public Terminal {
public:
    platform::SystemError print(StandardStream stream, std::string_view text) override;
    platform::SystemError write(StandardStream stream, std::string_view bytes) override;
    std::unique_ptr<ByteSource> standardInput() override;
};

} // namespace dxf2csv
