#pragma once

#include "postprocess/chart/axis_scale.h"
#include "postprocess/chart/chart_curves.h"
#include "postprocess/rawcast/cast_data.h"

namespace quorvane {

// Chooses the three axes for the shown curves of `mode`. Showing the average beside
// a sound-velocity curve widens the stored velocity and depth ranges to cover both, and the
// data keeps the widened ranges. Ends with both vertical axes on the larger interval count,
// so that their grid lines coincide.
void selectAxes(CastData& data, DisplayMode mode, const CurveFlags& flags, ChartAxes& axes);

// Widens the vertical axis of fewer intervals to the other's count.
void alignVerticalIntervals(ChartAxes& axes);

}  // namespace quorvane
