#include "postprocess/chart/chart_layout.h"

#include <algorithm>
#include <cmath>

#include "postprocess/chart/axis_selection.h"
#include "postprocess/chart/chart_frame.h"

namespace quorvane {

namespace {

ChartPicture drawPicture(const CastData& data, const ChartLook& look, const ChartAxes& axes,
                         const TextMeasurer& measure, const ReferenceProfile* reference) {
    ChartPicture picture;
    picture.list.width = look.width;
    picture.list.height = look.height;
    picture.plotRect = plotRectOf(look.width, look.height);
    DrawChartFrame(picture.list, look, axes, measure, reference ? reference->legend : "");
    addCurves(picture.list, data, look.flags, axes, picture.plotRect);
    if (reference) {
        addReferenceCurve(picture.list, reference->profile, axes, picture.plotRect);
    }
    return picture;
}

// An axis that already holds the range is kept, so that the shown cast's grid does not move
// when the reference lies within it.
void widenToHold(AxisScale& axis, double low, double high) {
    if (low >= axis.start && high <= axis.end) {
        return;
    }
    SetupAxis(axis, std::min(low, axis.start), std::max(high, axis.end));
}

}  // namespace

ChartLook lookOf(const ChartInput& in) {
    return {in.mode, in.flags, in.title, in.english, in.width, in.height, in.buttonFace};
}

ChartPicture layoutChartPicture(const ChartInput& in, ChartAxes& axes,
                                const TextMeasurer& measure) {
    selectAxes(in.data, in.mode, in.flags, axes);
    return drawPicture(in.data, lookOf(in), axes, measure, nullptr);
}

ChartPicture layoutChartWithReference(const CastData& data, const ChartLook& look, ChartAxes axes,
                                      const ReferenceProfile& reference,
                                      const TextMeasurer& measure) {
    bool any = false;
    double depthLow = 0, depthHigh = 0, speedLow = 0, speedHigh = 0;
    for (const ProfilePoint& p : reference.profile) {
        if (!std::isfinite(p.depth) || !std::isfinite(p.soundVelocity)) {
            continue;
        }
        depthLow = any ? std::min(depthLow, p.depth) : p.depth;
        depthHigh = any ? std::max(depthHigh, p.depth) : p.depth;
        speedLow = any ? std::min(speedLow, p.soundVelocity) : p.soundVelocity;
        speedHigh = any ? std::max(speedHigh, p.soundVelocity) : p.soundVelocity;
        any = true;
    }
    if (any) {
        widenToHold(axes.depth, depthLow, depthHigh);
        widenToHold(axes.velocity, speedLow, speedHigh);
        alignVerticalIntervals(axes);
    }
    return drawPicture(data, look, axes, measure, &reference);
}

}  // namespace quorvane
