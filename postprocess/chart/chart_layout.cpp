#include "postprocess/chart/chart_layout.h"

#include "postprocess/chart/axis_selection.h"
#include "postprocess/chart/chart_frame.h"

namespace quorvane {

ChartPicture LayoutChart(const ChartInput& in, ChartAxes& axes, const TextMeasurer& measure) {
    SelectAxes(in.data, in.flags, axes);
    ChartPicture picture;
    picture.list.width = in.width;
    picture.list.height = in.height;
    picture.plotRect = PlotRect(in.width, in.height);
    DrawChartFrame(picture.list, in, axes, measure);
    AddCurves(picture.list, in.data, in.flags, axes, picture.plotRect);
    return picture;
}

}  // namespace quorvane
