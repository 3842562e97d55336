// Raw cast to fitted profile for a million-record cast, against merely reading its bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "bench/bench_cast.h"
#include "bench/bench_figures.h"
#include "common/file_io.h"
#include "common/raw_format.h"
#include "postprocess/rawcast/raw_file.h"
#include "postprocess/reduction/cast_reduction.h"

namespace quorvane::bench {
namespace {

const std::string& castFile() {
    return millionRecordCast("quorvane-bench");
}

// The floor: the file's bytes copied from the page cache into a buffer that is already
// mapped. A fresh buffer each time would measure the kernel's page faults instead, which on a
// virtual machine wander by a factor of two between runs.
void BM_ReadBytes(benchmark::State& state) {
    const int64_t size = FileSizeOf(castFile());
    std::vector<uint8_t> bytes(static_cast<size_t>(size), 1);
    for (auto _ : state) {
        FileHandle file = openFile(castFile(), "rb");
        const size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
        benchmark::DoNotOptimize(got);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_ReadBytes)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_RawToFitted(benchmark::State& state) {
    const int64_t size = FileSizeOf(castFile());
    size_t fitted = 0;
    for (auto _ : state) {
        CastData data;
        LoadRawFile(data, castFile());
        ReduceSamples(data);
        fitted = data.fittedProfile.size();
        benchmark::DoNotOptimize(fitted);
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["fitted_points"] = double(fitted);
}
BENCHMARK(BM_RawToFitted)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
}  // namespace quorvane::bench

int main(int argc, char** argv) {
    using namespace quorvane;
    if (argc == 3 && std::strcmp(argv[1], "--reduce-once") == 0) {
        CastData data;
        LoadRawFile(data, argv[2]);
        ReduceSamples(data);
        return data.fittedProfile.empty() ? 1 : 0;
    }
    benchmark::Initialize(&argc, argv);
    bench::castFile();
    bench::FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double read = reporter.seconds("BM_ReadBytes/min_time:1.000");
    const double reduce = reporter.seconds("BM_RawToFitted/min_time:1.000");
    if (read > 0 && reduce > 0) {
        bench::printFigure("reduce_vs_read_ratio", reduce / read);
        const double records =
            double(FileSizeOf(bench::castFile()) - int64_t(kRawHeaderSize)) / kRawRecordSize;
        bench::printFigure("reduce_ns_per_record", reduce * 1e9 / records, "%.1f");
    }
    bench::printFigure(
        "reduce_peak_rss_mb",
        bench::childPeakRssMegabytes(argv[0], {"--reduce-once", bench::castFile().c_str()}),
        "%.0f");
    std::filesystem::remove(bench::castFile());
    return 0;
}
