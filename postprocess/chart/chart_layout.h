#pragma once

#include <string>
#include <vector>

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

// Everything of a chart's input but its data: what the frame is drawn from.
struct ChartLook {
    DisplayMode mode = DisplayMode::Raw;
    CurveFlags flags{};
    std::string title{};  // UTF-8
    bool english = false;
    int width = 0, height = 0;
    Rgb buttonFace{240, 240, 240};
};
ChartLook lookOf(const ChartInput& in);

struct ChartPicture {
    DisplayList list;
    Rect plotRect;
};

// The whole chart of one paint: axes chosen from the data and kept in `axes` for the next
// paint, then frame and curves as one display list.
ChartPicture layoutChartPicture(const ChartInput& in, ChartAxes& axes, const TextMeasurer& measure);

// Another cast's profile to draw over the shown one, with its legend text in the chart's
// language.
struct ReferenceProfile {
    std::vector<ProfilePoint> profile{};
    std::string legend{};  // UTF-8
};

// The chart layoutChartPicture made on `axes`, with the reference's sound speed drawn over the
// cast's curves. The velocity and depth axes widen where the reference runs outside them: the
// previous cast may have been faster, slower or deeper, and a curve cut at the frame would
// hide just the part that differs. Reads the data only, so that the window can draw it over
// the picture the session lays out without touching what the session keeps.
ChartPicture layoutChartWithReference(const CastData& data, const ChartLook& look, ChartAxes axes,
                                      const ReferenceProfile& reference,
                                      const TextMeasurer& measure);

}  // namespace quorvane
