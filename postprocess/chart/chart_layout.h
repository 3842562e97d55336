#pragma once

#include <string>

#include "postprocess/chart/axis_scale.h"
#include "postprocess/chart/chart_curves.h"
#include "postprocess/chart/display_list.h"
#include "postprocess/rawcast/cast_data.h"

namespace quorvane {

struct ChartInput {
    CastData& data;  // profiles and ranges; the average merge writes back
    DisplayMode mode;
    CurveFlags flags;
    std::string title;  // UTF-8
    bool english = false;
    int width = 0, height = 0;  // chart bitmap size in pixels
    Rgb buttonFace{240, 240, 240};
};

struct ChartPicture {
    DisplayList list;
    Rect plotRect;
};

// The whole chart of one paint: axes chosen from the data and kept in `axes` for the next
// paint, then frame and curves as one display list.
ChartPicture layoutChartPicture(const ChartInput& in, ChartAxes& axes, const TextMeasurer& measure);

}  // namespace quorvane
