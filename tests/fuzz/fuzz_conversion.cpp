// libFuzzer target: converts any bytes as a drawing, in memory. A failure must be a
// RunFailure; a success must give a well-formed UTF-8 report that ends as every report does.

#include "conversion_run.h"
#include "line_reader.h"
#include "output_file.h"
#include "run_failure.h"
#include "text_decoder.h"
#include "window_state.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const char* const tolerances[] = {"100", "0", "-5", "10", "1e3", "12.7", "１００", "abc"};
    static auto state = std::make_unique<dxf2csv::WindowState>(); // reused, as the window does
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    dxf2csv::MemorySource source(bytes);
    dxf2csv::StringSink sink;
    try {
        const auto report = dxf2csv::ConvertDrawing(source, sink, tolerances[size % 8], *state, "fuzz.dxf");
        const std::string& text = report.text();
        const std::string_view ending = "処理終了\r\n";
        if (!dxf2csv::isValidUtf8(text) || text.size() < ending.size() ||
            text.compare(text.size() - ending.size(), ending.size(), ending) != 0)
            std::abort();
    } catch (const dxf2csv::RunFailure& failure) {
        if (failure.line() < 0) std::abort();
    }
    return 0;
}
