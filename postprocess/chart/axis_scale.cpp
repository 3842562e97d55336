#include "postprocess/chart/axis_scale.h"

#include <cmath>
#include <limits>

namespace quorvane {
namespace {

constexpr double kTolerance = 1e-10;

// Tick counts of a 1-2-5 step over a fifth of the range stay near a dozen; anything larger
// comes from rounding at the edge of double precision and would flood the chart with labels.
constexpr double kMaxTickCount = 1000;

double snappedFloor(double value) {
    const double nearest = std::round(value);
    return std::fabs(value - nearest) < kTolerance ? nearest : std::floor(value);
}

double snappedCeil(double value) {
    const double nearest = std::round(value);
    return std::fabs(value - nearest) < kTolerance ? nearest : std::ceil(value);
}

double mantissa(double t) {
    if (t < 0.15) {
        return 0.1;
    }
    if (t < 0.35) {
        return 0.2;
    }
    return t < 0.75 ? 0.5 : 1.0;
}

}  // namespace

std::optional<NiceScaleResult> NiceScale(double min, double max) {
    const double range = max - min;
    // Written so that NaN and an overflowing range fail too.
    if (!(range >= kTolerance) || !std::isfinite(range)) {
        return std::nullopt;
    }
    const double e = range / 5;
    const double power = std::pow(10.0, snappedCeil(std::log10(e)));
    const double step = mantissa(e / power) * power;
    const double first = snappedFloor(min / step);
    const double last = snappedCeil(max / step);
    const double count = last - first + 1;
    // Near the ends of the double range the outer ticks can round past the largest value: an
    // infinite start would turn every label and point of the axis into infinities and NaNs.
    if (!std::isfinite(step) || !(count <= kMaxTickCount) || !std::isfinite(first * step) ||
        !std::isfinite(last * step)) {
        return std::nullopt;
    }
    // A step near the resolution of the values around it gives ticks that advance unevenly
    // or not at all.
    const double magnitude = std::max(std::fabs(first * step), std::fabs(last * step));
    const double resolution =
        std::nextafter(magnitude, std::numeric_limits<double>::infinity()) - magnitude;
    if (resolution > step * 1e-3) {
        return std::nullopt;
    }
    return NiceScaleResult{first * step, step, static_cast<int>(count)};
}

void SetupAxis(AxisScale& axis, double min, double max) {
    const std::optional<NiceScaleResult> scale = NiceScale(min, max);
    if (!scale || scale->count < 2) {
        // A NaN or infinite start would spread into every label and point of the axis.
        axis.start = std::isfinite(min) ? min : 0.0;
        axis.step = 1;
        axis.intervals = 1;
    } else {
        axis.start = scale->start;
        axis.step = scale->step;
        axis.intervals = scale->count - 1;
    }
    axis.end = axis.start + axis.intervals * axis.step;
}

void ResetAxes(CastData& data, ChartAxes& axes) {
    data.velocityMin = 1400;
    data.velocityMax = 1550;
    data.temperatureMin = 0;
    data.temperatureMax = 30;
    data.depthMin = 0;
    data.depthMax = 30;
    SetupAxis(axes.velocity, data.velocityMin, data.velocityMax);
    SetupAxis(axes.temperature, data.temperatureMin, data.temperatureMax);
    SetupAxis(axes.depth, data.depthMin, data.depthMax);
}

}  // namespace quorvane
