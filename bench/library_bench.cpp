// A season's cast library, 1000 casts, listed whole and filtered by date and area, against
// reading one cast back.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "bench/bench_figures.h"
#include "common/file_io.h"
#include "library/cast_library.h"
#include "library/sha256.h"

namespace quorvane::bench {
namespace {

constexpr int kCasts = 1000;

const std::filesystem::path& libraryFolder() {
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "quorvane-bench-library";
    return folder;
}

// Four casts a day around Hong Kong, each with a 400-point profile, recorded on first use.
CastLibrary& library() {
    static CastLibrary opened = [] {
        std::filesystem::remove_all(libraryFolder());
        auto result = CastLibrary::open(defaultLibraryPath(utf8OfPath(libraryFolder())));
        if (!result.ok()) {
            std::fprintf(stderr, "%s\n", result.problem.en.c_str());
            std::exit(1);
        }
        for (int i = 0; i < kCasts; ++i) {
            CastRecord cast;
            cast.contentSha256 = sha256Hex("cast " + std::to_string(i));
            cast.fileName = "cast_" + std::to_string(i) + ".bin";
            cast.filePath = "/survey/" + cast.fileName;
            cast.localTime = castTimeAt(1796601600 + int64_t(i) * 21600);
            cast.position = CastPosition{22.3 + std::sin(i) * 0.5, 114.2 + std::cos(i * 0.7) * 0.5};
            cast.positionSource = "typed";
            cast.recordCount = 40000;
            cast.settings = "depth_interval=0.5\n";
            for (int p = 0; p < 400; ++p) {
                cast.profile.push_back({p * 0.5, 1540.0 - p * 0.05, 28.0 - p * 0.04});
            }
            result.value->recordCast(cast);
        }
        return std::move(*result.value);
    }();
    return opened;
}

void BM_ShowOneCast(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(library().show(kCasts / 2));
    }
}
BENCHMARK(BM_ShowOneCast)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// What `library list` does twice over: every cast, then those of the last 100 days within
// 30 km of the harbour.
void BM_List1000Casts(benchmark::State& state) {
    LibraryFilter filter;
    filter.since = castTimeAt(1796601600 + 150 * 86400);
    filter.near = NearFilter{{22.3, 114.2}, 30.0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(library().list());
        benchmark::DoNotOptimize(library().list(filter));
    }
}
BENCHMARK(BM_List1000Casts)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
}  // namespace quorvane::bench

int main(int argc, char** argv) {
    using namespace quorvane;
    benchmark::Initialize(&argc, argv);
    bench::library();
    bench::FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double one = reporter.seconds("BM_ShowOneCast/min_time:1.000");
    const double list = reporter.seconds("BM_List1000Casts/min_time:1.000");
    if (one > 0 && list > 0) {
        bench::printFigure("library_list_1000_casts_ms", list * 1000.0, "%.3f");
        bench::printFigure("library_list_1000_casts_vs_show_one_ratio", list / one, "%.1f");
    }
    std::filesystem::remove_all(bench::libraryFolder());
    return 0;
}
