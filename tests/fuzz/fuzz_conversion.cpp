// libFuzzer target: converts any bytes as a drawing, in memory, with each CSV encoding in turn.
// A failure must be a RunFailure; a success must give a well-formed UTF-8 report that ends as
// every report does, and a UTF-8 CSV that is well-formed.
// The same drawing with a blank after every group code, whose pairs the reader can never pass
// over unseen, must give the same outcome.

#include "messages/run_failure.h"
#include "output/output_sink.h"
#include "platform/utf8.h"
#include "read_every_pair.h"
#include "reading/byte_source.h"
#include "run/conversion_run.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace {

struct Outcome {
    std::string csv;
    std::string report;
    int kind = -1;
    std::int64_t line = 0;

    bool operator==(const Outcome&) const = default;
};

Outcome convert(std::string_view bytes, const char* tolerance, dxf2csv::CsvEncoding encoding) {
    dxf2csv::MemorySource source(bytes);
    dxf2csv::StringSink sink;
    Outcome outcome;
    try {
        outcome.report = dxf2csv::convertDrawing(source, sink, {std::string(tolerance), encoding}, "fuzz.dxf").text();
        const std::string_view ending = "処理終了\r\n";
        if (!dxf2csv::isValidUtf8(outcome.report) || !std::string_view(outcome.report).ends_with(ending))
            std::abort();
    } catch (const dxf2csv::RunFailure& failure) {
        if (failure.line() < 0) std::abort();
        outcome.kind = static_cast<int>(failure.kind());
        outcome.line = failure.line();
    }
    outcome.csv = sink.data();
    // Every encoding but the drawing's own writes its texts as UTF-8 or CP932 they decode to.
    if (outcome.kind < 0 && (encoding == dxf2csv::CsvEncoding::Utf8 || encoding == dxf2csv::CsvEncoding::Utf8Bom) &&
        !dxf2csv::isValidUtf8(outcome.csv))
        std::abort();
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const char* const tolerances[] = {"100", "0", "-5", "10", "1e3", "12.7", "１００", "abc"};
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const char* tolerance = tolerances[size % 8];
    const auto encoding = static_cast<dxf2csv::CsvEncoding>((size / 8) % 4);
    if (!(convert(bytes, tolerance, encoding) == convert(dxf2csv::test::withBlankAfterEveryCode(bytes), tolerance, encoding)))
        std::abort();
    return 0;
}
