// Two 2000-point profiles compared at 71 launch angles, against tracing the same 71 rays through
// one of them as straight lines per layer: the curved rays, the search for the time and the
// second profile should cost a few straight traces, and a comparison well under 50 ms.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "bench/bench_figures.h"
#include "postprocess/compare/profile_comparison.h"

namespace quorvane::bench {
namespace {

constexpr int kPoints = 2000;

// A warm mixed layer over a thermocline and the slow rise with pressure below, a metre apart,
// with a little of a real cast's noise; the second cast's layer is cooler and deeper.
std::vector<ProfilePoint> syntheticCast(double surface, double thermocline) {
    std::vector<ProfilePoint> points;
    points.reserve(kPoints);
    for (int i = 0; i < kPoints; ++i) {
        const double z = i;
        const double speed = 1490.0 + surface * (1.0 - std::tanh((z - thermocline) / 25.0)) / 2.0 +
                             0.016 * z + 0.05 * std::sin(i * 0.7);
        points.push_back({z, speed, 0.0});
    }
    return points;
}

const std::vector<ProfilePoint>& castNew() {
    static const std::vector<ProfilePoint> cast = syntheticCast(40.0, 60.0);
    return cast;
}

const std::vector<ProfilePoint>& castReference() {
    static const std::vector<ProfilePoint> cast = syntheticCast(34.0, 80.0);
    return cast;
}

// Snell's law at every point and a straight line across each layer at its mean speed, to the
// bottom of the new cast: the least a tracer can do with the same rays.
void BM_StraightRays(benchmark::State& state) {
    const std::vector<ProfilePoint>& cast = castNew();
    for (auto _ : state) {
        double sum = 0.0;
        for (int degree = 0; degree <= 70; ++degree) {
            const double p = std::sin(degree * std::numbers::pi / 180.0) / cast[0].soundVelocity;
            double time = 0.0, across = 0.0;
            for (size_t i = 1; i < cast.size(); ++i) {
                const double c = (cast[i - 1].soundVelocity + cast[i].soundVelocity) / 2.0;
                const double sine = p * c;
                const double cosine = std::sqrt(1.0 - sine * sine);
                const double dz = cast[i].depth - cast[i - 1].depth;
                time += dz / (c * cosine);
                across += dz * sine / cosine;
            }
            sum += time + across;
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_StraightRays)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_CompareProfiles(benchmark::State& state) {
    ComparisonSettings settings;
    settings.draft = 4.5;
    for (auto _ : state) {
        const ProfileComparison c = compareProfiles(castNew(), castReference(), settings);
        benchmark::DoNotOptimize(c.largestDepthDifference);
    }
}
BENCHMARK(BM_CompareProfiles)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
}  // namespace quorvane::bench

int main(int argc, char** argv) {
    using namespace quorvane;
    benchmark::Initialize(&argc, argv);
    bench::FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double straight = reporter.seconds("BM_StraightRays/min_time:1.000");
    const double compare = reporter.seconds("BM_CompareProfiles/min_time:1.000");
    if (straight > 0 && compare > 0) {
        bench::printFigure("compare_profiles_ms", compare * 1000.0, "%.3f");
        bench::printFigure("compare_profiles_vs_straight_rays_ratio", compare / straight, "%.2f");
    }
    return 0;
}
