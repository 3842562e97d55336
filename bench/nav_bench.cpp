// Positions of 100 casts from a day of navigation at 10 Hz, against reading that day once.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_figures.h"
#include "navigation/nav_log.h"

namespace quorvane::bench {
namespace {

constexpr int64_t kStart = 1796601600000;  // 2026-12-07 00:00:00 UTC
constexpr int kFixes = 864000;             // 24 h at 10 Hz

const std::string& dayLog() {
    static const std::string path = [] {
        const std::string file =
            (std::filesystem::temp_directory_path() / "quorvane-bench-nav.log").string();
        std::ofstream out(file, std::ios::binary);
        out << kNavLogHeader << '\n';
        for (int i = 0; i < kFixes; ++i) {
            const int64_t t = kStart + int64_t(i) * 100;
            out << navLogLine({t, 22.0 + i * 1e-6, 114.0 + i * 1e-6, 1, "GPGGA"}, t + 35);
        }
        return file;
    }();
    return path;
}

// What a tool without an index does: every line read and parsed.
void BM_ReadWholeDay(benchmark::State& state) {
    for (auto _ : state) {
        std::ifstream in(dayLog(), std::ios::binary);
        size_t fixes = 0;
        for (std::string line; std::getline(in, line);) fixes += readNavLogLine(line) ? 1 : 0;
        benchmark::DoNotOptimize(fixes);
    }
}
BENCHMARK(BM_ReadWholeDay)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// 100 casts spread over the day, each looked up in the file as it lies.
void BM_Lookup100Casts(benchmark::State& state) {
    for (auto _ : state) {
        std::string problem;
        std::vector<NavLogFile> logs;
        logs.emplace_back(dayLog(), problem);
        for (int cast = 0; cast < 100; ++cast) {
            const int64_t at = kStart + int64_t(cast) * 864000 + 37;
            benchmark::DoNotOptimize(positionFromLogs(logs, at));
        }
    }
}
BENCHMARK(BM_Lookup100Casts)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
}  // namespace quorvane::bench

int main(int argc, char** argv) {
    using namespace quorvane;
    benchmark::Initialize(&argc, argv);
    bench::dayLog();
    bench::FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double whole = reporter.seconds("BM_ReadWholeDay/min_time:1.000");
    const double lookup = reporter.seconds("BM_Lookup100Casts/min_time:1.000");
    if (whole > 0 && lookup > 0) {
        bench::printFigure("nav_lookup_100_casts_ms", lookup * 1000.0, "%.3f");
        bench::printFigure("nav_lookup_100_casts_vs_read_whole_day_ratio", lookup / whole, "%.5f");
    }
    std::filesystem::remove(bench::dayLog());
    return 0;
}
