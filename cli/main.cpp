// dxf2csv: converts the grouped TEXT tables of ASCII DXF drawings into CSV files.

#include "command_line.h"
#include "platform/process.h"

#include <exception>
#include <string>

int main(int argc, char** argv) {
    dxf2csv::StandardTerminal terminal;
    try {
        const auto language = dxf2csv::platform::userWantsJapanese() ? dxf2csv::Language::Japanese : dxf2csv::Language::English;
        return dxf2csv::runCommandLine(dxf2csv::platform::commandLineArguments(argc, argv), terminal, language);
    } catch (const std::exception& error) {
        (void)terminal.print(dxf2csv::StandardStream::Error,
                             std::string("dxf2csv: unexpected failure: ") + error.what() + '\n');
        return dxf2csv::kExitRunFailed;
    }
}
