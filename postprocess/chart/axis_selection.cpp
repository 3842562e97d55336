#include "postprocess/chart/axis_selection.h"

#include <algorithm>

namespace quorvane {
namespace {

void mergeAverageRanges(CastData& data) {
    data.velocityMin = std::min(data.averageVelocityMin, data.velocityMin);
    data.velocityMax = std::max(data.averageVelocityMax, data.velocityMax);
    data.depthMin = std::min(data.averageDepthMin, data.depthMin);
    data.depthMax = std::max(data.averageDepthMax, data.depthMax);
}

void velocityFromProfiles(const CastData& data, ChartAxes& axes) {
    SetupAxis(axes.velocity, data.velocityMin, data.velocityMax);
    SetupAxis(axes.depth, data.depthMin, data.depthMax);
}

void temperatureFromProfiles(const CastData& data, ChartAxes& axes) {
    SetupAxis(axes.temperature, data.temperatureMin, data.temperatureMax);
    SetupAxis(axes.depth, data.depthMin, data.depthMax);
}

void velocityFromAverage(const CastData& data, ChartAxes& axes) {
    SetupAxis(axes.velocity, data.averageVelocityMin, data.averageVelocityMax);
    SetupAxis(axes.depth, data.averageDepthMin, data.averageDepthMax);
}

void addAverage(CastData& data, bool beside, ChartAxes& axes) {
    if (beside) {
        mergeAverageRanges(data);
        velocityFromProfiles(data, axes);
    } else {
        velocityFromAverage(data, axes);
    }
}

void selectRaw(CastData& data, const CurveFlags& flags, ChartAxes& axes) {
    const bool svp = flags.castSvp || flags.fittedSvp;
    const bool temp = flags.castTemp || flags.fittedTemp;
    if (svp) {
        velocityFromProfiles(data, axes);
    }
    if (temp) {
        temperatureFromProfiles(data, axes);
    }
    if (flags.average && !data.averageProfile.empty()) {
        addAverage(data, svp, axes);
    }
    const bool nothingShown = !svp && !temp && !flags.average;
    const bool nothingLoaded = data.downCast.empty() && data.upCast.empty() &&
                               data.fittedProfile.empty() && data.averageProfile.empty();
    if (nothingShown || nothingLoaded) {
        ResetAxes(data, axes);
    }
}

void selectFitting(CastData& data, const CurveFlags& flags, ChartAxes& axes) {
    if (flags.fittedSvp) {
        velocityFromProfiles(data, axes);
    }
    if (flags.fittedTemp) {
        temperatureFromProfiles(data, axes);
    }
    if (flags.average && !data.averageProfile.empty()) {
        addAverage(data, flags.fittedSvp, axes);
    }
    const bool nothingShown = !flags.fittedSvp && !flags.fittedTemp && !flags.average;
    if (nothingShown || (data.fittedProfile.empty() && data.averageProfile.empty())) {
        ResetAxes(data, axes);
    }
}

void selectAverage(CastData& data, const CurveFlags& flags, ChartAxes& axes) {
    if (flags.average) {
        velocityFromAverage(data, axes);
    }
    if (!flags.average || data.averageProfile.empty()) {
        ResetAxes(data, axes);
    }
}

void widenIntervals(AxisScale& axis, int intervals) {
    axis.intervals = intervals;
    axis.end = axis.start + intervals * axis.step;
}

}  // namespace

void selectAxes(CastData& data, DisplayMode mode, const CurveFlags& flags, ChartAxes& axes) {
    switch (mode) {
        case DisplayMode::Raw:
            selectRaw(data, flags, axes);
            break;
        case DisplayMode::Fitting:
            selectFitting(data, flags, axes);
            break;
        case DisplayMode::Average:
            selectAverage(data, flags, axes);
            break;
    }
    alignVerticalIntervals(axes);
}

void alignVerticalIntervals(ChartAxes& axes) {
    if (axes.temperature.intervals < axes.velocity.intervals) {
        widenIntervals(axes.temperature, axes.velocity.intervals);
    } else if (axes.velocity.intervals < axes.temperature.intervals) {
        widenIntervals(axes.velocity, axes.temperature.intervals);
    }
}

}  // namespace quorvane
