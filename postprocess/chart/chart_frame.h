#pragma once

#include "postprocess/chart/axis_scale.h"
#include "postprocess/chart/chart_layout.h"
#include "postprocess/chart/display_list.h"

namespace quorvane {

// The plot area inside a chart bitmap of the given size: room for the labels and titles on
// every side.
Rect plotRectOf(int width, int height);

// Everything but the curves: axis titles, plot background, frame, labels, dotted grid, chart
// title and legend, appended to `list` in drawing order. A reference legend names a profile
// drawn over the cast's curves; its entry comes after theirs.
void DrawChartFrame(DisplayList& list, const ChartLook& in, const ChartAxes& axes,
                    const TextMeasurer& measure, const std::string& referenceLegend = {});

}  // namespace quorvane
