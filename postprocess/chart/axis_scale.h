#pragma once

#include <optional>

#include "postprocess/rawcast/cast_data.h"

namespace quorvane {

// One chart axis: ticks at start + i * step for i = 0 .. intervals, end = start + intervals * step.
struct AxisScale {
    double start = 0, end = 1, step = 1;
    int intervals = 1;
};

struct NiceScaleResult {
    double start, step;
    int count;  // tick positions; 0 = no scale
};

// Ticks at 1, 2 or 5 times a power of ten covering [min, max]; no scale for an empty,
// non-finite or unresolvable range.
std::optional<NiceScaleResult> NiceScale(double min, double max);

// A range without a usable scale becomes one interval of width 1 from min.
void SetupAxis(AxisScale& axis, double min, double max);

struct ChartAxes {
    AxisScale depth, velocity, temperature;
};

// The picture with nothing to scale: default data ranges and the axes built from them.
void ResetAxes(CastData& data, ChartAxes& axes);

}  // namespace quorvane
