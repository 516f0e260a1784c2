#pragma once
// What the user chose for a run, carried as one value from the front end to the steps.

#include "output/csv_writer.h"

#include <string>

namespace dxf2csv {

struct RunSettings {
    /// The row tolerance as typed (blanks, full-width digits, sign and point allowed); read
    /// when the run starts, so that a bad one fails naming the drawing.
    std::string tolerance = "100";
    CsvEncoding encoding = CsvEncoding::Drawing;
};

} // namespace dxf2csv
