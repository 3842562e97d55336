// The chart of a million-record cast laid out for one paint, against loading and reducing
// the same cast: a paint must stay a small fraction of the load it follows.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <variant>

#include "bench/bench_cast.h"
#include "bench/bench_figures.h"
#include "postprocess/chart/chart_layout.h"
#include "postprocess/chart/curve_raster.h"
#include "postprocess/rawcast/raw_file.h"
#include "postprocess/reduction/cast_reduction.h"

namespace quorvane::bench {
namespace {

const std::string& castFile() {
    return millionRecordCast("quorvane-chart-bench");
}

// Text widths do not matter for the cost of the layout.
class FixedWidthMeasurer : public TextMeasurer {
  public:
    int width(FontRole, const std::string& utf8) const override {
        return 7 * static_cast<int>(utf8.size());
    }
};

void BM_LoadAndReduce(benchmark::State& state) {
    loadAndReduceEachIteration(state, castFile());
}
BENCHMARK(BM_LoadAndReduce)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Arguments: chart width in pixels, depth interval in centimetres.
void BM_LayoutChart(benchmark::State& state) {
    CastData data;
    LoadRawFile(data, castFile());
    data.depthInterval = float(state.range(1)) / 100;
    ReduceSamples(data);
    const CurveFlags flags{true, true, true, true, false};
    const int width = static_cast<int>(state.range(0));
    const ChartInput in{
        data, DisplayMode::Raw, flags, "Sound Velocity/Temperature Curve", true, width, 700};
    ChartAxes axes;
    size_t drawn = 0;
    for (auto _ : state) {
        const ChartPicture picture = layoutChartPicture(in, axes, FixedWidthMeasurer());
        drawn = 0;
        for (const DrawOp& op : picture.list.ops) {
            if (const auto* polyline = std::get_if<PolylineOp>(&op)) {
                drawn += polyline->points.size();
            }
        }
        benchmark::DoNotOptimize(drawn);
    }
    state.counters["curve_points"] =
        double(2 * (data.downCast.size() + data.upCast.size() + data.fittedProfile.size()));
    state.counters["drawn_points"] = double(drawn);
}

// A small and a wide window at the recorded 0.5 m interval, where points rarely share a pixel
// column, and a 0.1 m interval, where many do and most of them are dropped.
constexpr const char* kLayouts[] = {"600/50", "1200/50", "800/10"};
BENCHMARK(BM_LayoutChart)
    ->Args({600, 50})
    ->Args({1200, 50})
    ->Args({800, 10})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

// The curves of the 600-pixel layout drawn into a bitmap, as every paint of the window and
// the command line's bitmap do after the layout.
void BM_DrawCurves(benchmark::State& state) {
    CastData data;
    LoadRawFile(data, castFile());
    ReduceSamples(data);
    const ChartInput in{data, DisplayMode::Raw, {true, true, true, true, false}, "", true, 600,
                        700};
    ChartAxes axes;
    const ChartPicture picture = layoutChartPicture(in, axes, FixedWidthMeasurer());
    Pixels pixels{in.width, in.height, std::vector<uint32_t>(size_t(in.width) * in.height)};
    CurveRaster raster;
    for (auto _ : state) {
        for (const DrawOp& op : picture.list.ops) {
            if (const auto* polyline = std::get_if<PolylineOp>(&op)) {
                raster.draw(viewOf(pixels), *polyline);
            }
        }
        benchmark::DoNotOptimize(pixels.rgb.data());
    }
}
BENCHMARK(BM_DrawCurves)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
}  // namespace quorvane::bench

int main(int argc, char** argv) {
    using namespace quorvane;
    benchmark::Initialize(&argc, argv);
    bench::castFile();
    bench::FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double reduce = reporter.seconds("BM_LoadAndReduce/min_time:1.000");
    for (const std::string layout : bench::kLayouts) {
        const double seconds = reporter.seconds("BM_LayoutChart/" + layout + "/min_time:1.000");
        if (reduce > 0 && seconds > 0) {
            std::string name = "chart_layout_" + layout + "_vs_load_reduce_ratio";
            name[name.find('/')] = '_';
            bench::printFigure(name.c_str(), seconds / reduce, "%.4f");
        }
    }
    const double curves = reporter.seconds("BM_DrawCurves/min_time:1.000");
    if (reduce > 0 && curves > 0) {
        bench::printFigure("chart_curves_600_vs_load_reduce_ratio", curves / reduce, "%.4f");
    }
    std::filesystem::remove(bench::castFile());
    return 0;
}
