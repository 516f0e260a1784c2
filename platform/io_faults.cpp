#include "io_faults.h"

namespace dxf2csv::platform {

IoFaults& ioFaultsForTesting() {
    static IoFaults faults;
    return faults;
}

} // namespace dxf2csv::platform
