// dxf2csv: converts the grouped TEXT tables of ASCII DXF drawings into CSV files.

#include "command_line.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    try {
        return dxf2csv::runCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "dxf2csv: unexpected failure: " << error.what() << '\n';
        return dxf2csv::kExitRunFailed;
    }
}
