#include "output/csv_tables.h"

namespace dxf2csv {

CsvTables::CsvTables(OutputSink& output, CellEncoder& cells) : output_(output), cells_(cells), csv_(line_, output) {
    output.write(cells.preamble());
}

} // namespace dxf2csv
