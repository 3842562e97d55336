#include "postprocess/session/chart_view.h"

#include "postprocess/profilefiles/point_ranges.h"
#include "postprocess/reduction/average_velocity.h"
#include "postprocess/reduction/reduction_messages.h"

namespace quorvane {

namespace {

const Message kBitmapNotSaved{
    BoxType::Warning,
    {"无法保存图表文件，请检查文件夹和文件名。",
     "The graphics file could not be saved. Please check the folder and the file name."}};

}  // namespace

void ChartView::toggleCurve(Curve curve) {
    const DisplayMode mode = s_.displayMode;
    const auto rawRanges = [&] {
        if (mode == DisplayMode::Raw)
            UpdateRawRanges(s_.data);
    };
    switch (curve) {
        case Curve::CastSvp:
            s_.flags.castSvp = !s_.flags.castSvp;
            rawRanges();
            break;
        case Curve::CastTemp:
            s_.flags.castTemp = !s_.flags.castTemp;
            rawRanges();
            break;
        case Curve::FittedSvp:
            s_.flags.fittedSvp = !s_.flags.fittedSvp;
            if (mode == DisplayMode::Raw)
                UpdateRawRanges(s_.data);
            if (mode == DisplayMode::Fitting)
                UpdateFittedRanges(s_.data);
            if (mode == DisplayMode::Average)
                UpdateAverageRanges(s_.data);
            break;
        case Curve::FittedTemp:
            s_.flags.fittedTemp = !s_.flags.fittedTemp;
            if (mode == DisplayMode::Raw)
                UpdateRawRanges(s_.data);
            if (mode == DisplayMode::Fitting)
                UpdateFittedRanges(s_.data);
            break;
        case Curve::Average:
            s_.flags.average = !s_.flags.average;
            if (mode == DisplayMode::Average) {
                UpdateAverageRanges(s_.data);
            } else if (s_.flags.average && !computeAverage()) {
                s_.flags.average = false;
                s_.controls.average.checked = false;
            }
            break;
    }
}

bool ChartView::computeAverage() {
    if (s_.data.fittedProfile.empty()) {
        return false;
    }
    s_.data.averageStartDepth = defaultAverageStartDepth(s_.data.depthMin);
    const auto start = s_.host.askStartDepth(s_.data.averageStartDepth);
    if (!start) {
        return false;
    }
    const AverageResult result = ComputeAverageVelocity(s_.data, *start);
    if (result.status == AverageStatus::Computed) {
        s_.host.repaintNow();
    }
    if (const auto message = averageMessage(result))
        s_.show(*message);
    return result.succeeded();
}

ChartPicture ChartView::layoutChart(int width, int height, Rgb buttonFace,
                                    const TextMeasurer& measure) {
    const ChartInput input{s_.data,    s_.displayMode, s_.flags, s_.chartTitle,
                           s_.english, width,          height,   buttonFace};
    return layoutChartPicture(input, s_.axes, measure);
}

void ChartView::saveGraphics() {
    const FileDialogRequest request{.save = true,
                                    .title = {"保存图表", "Save Graphics"},
                                    .filter = "WINDOWS bitmap File(*.bmp)|*.bmp||",
                                    .fileName = s_.currentBaseName};
    if (const auto choice = s_.chooseFile(request, true)) {
        pendingBitmapPath_ = choice->path;
    }
}

void ChartView::writePendingBitmap(const Pixels& pixels, int bitCount) {
    // A chart without pixels (a window shrunk to nothing) keeps the save for a real paint.
    if (!pendingBitmapPath_ || pixels.width <= 0 || pixels.height <= 0) {
        return;
    }
    const std::string path = std::move(*pendingBitmapPath_);
    pendingBitmapPath_.reset();
    if (!SaveBitmapFile(pixels, bitCount, path)) {
        s_.show(kBitmapNotSaved);
    }
}

}  // namespace quorvane
