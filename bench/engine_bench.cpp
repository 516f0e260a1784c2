// Micro-benchmarks of the hot parts: the line reader, comparisonValue and flushGroup on the
// ordering passes' worst case.

#include "grouped/group_step.h"
#include "grouped/grouped_tables.h"
#include "output/csv_tables.h"
#include "output/csv_writer.h"
#include "output/output_sink.h"
#include "output/run_context.h"
#include "output/run_report.h"
#include "reading/byte_source.h"
#include "reading/line_reader.h"
#include "text/text_decoder.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using namespace dxf2csv;

/// LINE entities as AutoCAD writes them: right-aligned group codes, CR LF.
std::string drawingLines(std::size_t bytes) {
    std::string out;
    for (int i = 0; out.size() < bytes; ++i) {
        out += "  0\r\nLINE\r\n  5\r\n";
        out += std::to_string(1000 + i);
        out += "\r\n100\r\nAcDbEntity\r\n  8\r\n0\r\n 10\r\n";
        out += std::to_string(i * 17 % 10000);
        out += ".25\r\n 20\r\n";
        out += std::to_string(i * 31 % 10000);
        out += ".5\r\n 11\r\n12.0\r\n 21\r\n-4.75\r\n";
    }
    return out;
}

void BM_LineReader(benchmark::State& state) {
    const std::string bytes = drawingLines(16 << 20);
    for (auto _ : state) {
        MemorySource source(bytes);
        LineReader reader(source);
        std::size_t total = 0;
        reader.forEachLine([&](std::string_view line, std::int64_t) {
            total += line.size();
            return LineFlow::Next;
        });
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LineReader)->Unit(benchmark::kMillisecond);

void BM_GroupCode(benchmark::State& state) {
    const std::string_view codes[] = {"  0", " 10", "330", "100", "  8", " 21", "  5", " 73"};
    int sum = 0;
    std::size_t i = 0;
    for (auto _ : state) {
        sum += readGroupCode(codes[i++ & 7]).value;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_GroupCode);

void BM_ComparisonValue(benchmark::State& state) {
    FieldValue cells[4];
    cells[0].setText("1234.5678", 1);
    cells[1].setText("-0.5", 1);
    cells[2].setText(" 99.9 ", 1);
    cells[3].setText("1.5e3", 1);
    double sum = 0;
    std::size_t i = 0;
    for (auto _ : state) {
        sum += comparisonValue(cells[i++ & 3]).value;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ComparisonValue);

/// One group of 5000 members whose Y values climb in steps under the tolerance, so every
/// neighbour pair lies within it: the exchange passes do their most work.
void BM_FlushGroupWorstCase(benchmark::State& state) {
    constexpr int n = kTableRows;
    auto tables = std::make_unique<GroupedTables>();
    for (int row = 1; row <= n; ++row) {
        TextRecord& record = tables->texts.row(row);
        record.content.setText(std::to_string(row), row);
        record.x.setText(std::to_string((row * 7919) % 10007), row);
        std::string y = std::to_string(((row * 7919) % n) * 60);
        y += ".5";
        record.secondY.setText(y, row);
        record.vAlign.setNumber(2, row);
    }
    constexpr std::int16_t kRowTolerance = 100;
    const std::string file = "bench.dxf";
    TextDecoder decoder;
    FlushScratch scratch;
    for (auto _ : state) {
        state.PauseTiming();
        for (int k = 1; k <= n; ++k) tables->members[static_cast<std::size_t>(k)] = k;
        tables->memberCount = n;
        tables->totalCount = 0;
        StringSink sink;
        RunReport report;
        CellEncoder cells(CsvEncoding::Drawing, decoder, file);
        CsvTables csv(sink, cells);
        const RunContext context{file, decoder, csv, report};
        state.ResumeTiming();
        flushGroup(*tables, kRowTolerance, 0, context, scratch);
        benchmark::DoNotOptimize(sink.data().size());
    }
    // Two passes over every pair of members.
    const double comparisons = 2.0 * n * (n - 1) / 2.0;
    state.counters["per_comparison"] =
        benchmark::Counter(comparisons, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FlushGroupWorstCase)->Unit(benchmark::kMillisecond);

} // namespace
