// The chart over whatever a file or an edit can put in the data set: arbitrary ranges and
// points (NaN, infinities, huge and tiny values), every display mode and curve choice, any
// bitmap size. The scale must be sound and the display list stay small.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "postprocess/chart/axis_scale.h"
#include "postprocess/chart/chart_layout.h"

using namespace quorvane;

namespace {

class CountingMeasurer : public TextMeasurer {
  public:
    int width(FontRole, const std::string& utf8) const override { return int(utf8.size()) * 7; }
};

// Plain values most of the time, so that scales exist; any bit pattern otherwise.
double value(FuzzedDataProvider& input) {
    return input.ConsumeBool() ? input.ConsumeFloatingPoint<double>()
                               : double(input.ConsumeIntegralInRange<int>(-20000, 20000)) / 8;
}

template <typename Point, typename Fill>
std::vector<Point> points(FuzzedDataProvider& input, Fill fill) {
    std::vector<Point> list(input.ConsumeIntegralInRange<size_t>(0, 64));
    for (Point& point : list) {
        fill(point);
    }
    return list;
}

void checkScale(double min, double max) {
    const auto scale = NiceScale(min, max);
    if (scale) {
        fuzz::require(std::isfinite(scale->start) && std::isfinite(scale->step) &&
                          scale->step > 0 && scale->count >= 1 && scale->count <= 1000,
                      "a scale is finite, advances and stays readable");
        // A value within a billionth of a step of a tick counts as on it.
        const double slack = scale->step * 1e-9;
        fuzz::require(scale->start <= min + slack &&
                          scale->start + (scale->count - 1) * scale->step >= max - slack,
                      "a scale covers its range");
    }
    AxisScale axis;
    SetupAxis(axis, min, max);
    fuzz::require(std::isfinite(axis.start) && std::isfinite(axis.step) && axis.intervals >= 1 &&
                      axis.intervals < 1000,
                  "an axis is finite and readable");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    checkScale(value(input), value(input));

    CastData cast;
    const auto profile = [&](ProfilePoint& p) { p = {value(input), value(input), value(input)}; };
    cast.rawProfile = points<ProfilePoint>(input, profile);
    cast.downCast = points<ProfilePoint>(input, profile);
    cast.upCast = points<ProfilePoint>(input, profile);
    cast.fittedProfile = points<ProfilePoint>(input, profile);
    cast.averageProfile = points<AveragePoint>(input, [&](AveragePoint& p) {
        p = {value(input), value(input)};
    });
    for (double* range :
         {&cast.depthMin, &cast.depthMax, &cast.velocityMin, &cast.velocityMax,
          &cast.temperatureMin, &cast.temperatureMax, &cast.averageDepthMin, &cast.averageDepthMax,
          &cast.averageVelocityMin, &cast.averageVelocityMax}) {
        *range = value(input);
    }
    const DisplayMode mode = DisplayMode(input.ConsumeIntegralInRange<int>(0, 2));
    const CurveFlags flags{input.ConsumeBool(), input.ConsumeBool(), input.ConsumeBool(),
                           input.ConsumeBool(), input.ConsumeBool()};
    const int width = input.ConsumeIntegralInRange<int>(0, 4000);
    const int height = input.ConsumeIntegralInRange<int>(0, 4000);
    const ChartInput in{cast, mode, flags, "title", input.ConsumeBool(), width, height};

    ChartAxes axes;
    const ChartPicture picture = layoutChartPicture(in, axes, CountingMeasurer());
    const size_t pointCount = cast.rawProfile.size() + cast.downCast.size() + cast.upCast.size() +
                              cast.fittedProfile.size() + cast.averageProfile.size();
    size_t drawn = 0;
    for (const DrawOp& op : picture.list.ops) {
        if (const auto* line = std::get_if<PolylineOp>(&op)) {
            fuzz::require(line->points.size() >= 2, "a polyline has two points or more");
            drawn += line->points.size();
        }
    }
    // Frame, grid and labels: a few per tick of three axes of at most 1000 ticks.
    fuzz::require(picture.list.ops.size() <= 12000 + 2 * pointCount,
                  "the display list stays bounded");
    fuzz::require(drawn <= 2 * 2 * pointCount, "a curve draws no more points than it has");
    return 0;
}
