#include "postprocess/chart/chart_layout.h"

#include "postprocess/chart/axis_selection.h"
#include "postprocess/chart/chart_frame.h"

namespace quorvane {

ChartPicture layoutChartPicture(const ChartInput& in, ChartAxes& axes,
                                const TextMeasurer& measure) {
    selectAxes(in.data, in.mode, in.flags, axes);
    ChartPicture picture;
    picture.list.width = in.width;
    picture.list.height = in.height;
    picture.plotRect = plotRectOf(in.width, in.height);
    DrawChartFrame(picture.list, in, axes, measure);
    addCurves(picture.list, in.data, in.flags, axes, picture.plotRect);
    return picture;
}

}  // namespace quorvane
