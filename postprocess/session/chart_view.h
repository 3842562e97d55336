#pragma once

#include <optional>
#include <string>

#include "postprocess/chart/bitmap_file.h"
#include "postprocess/chart/chart_layout.h"
#include "postprocess/session/session_state.h"

namespace quorvane {

// The curve commands of the data analysis menu.
enum class Curve { CastSvp, CastTemp, FittedSvp, FittedTemp, Average };

// The chart: the curve commands (the average asks for its start depth and computes), the
// picture of each paint, and a bitmap save that waits for the next paint's pixels.
class ChartView {
  public:
    explicit ChartView(SessionState& state) : s_(state) {}

    void toggleCurve(Curve curve);

    ChartPicture layoutChart(int width, int height, Rgb buttonFace, const TextMeasurer& measure);
    void saveGraphics();
    bool bitmapSavePending() const { return pendingBitmapPath_.has_value(); }
    void writePendingBitmap(const Pixels& pixels, int bitCount);

  private:
    bool computeAverage();

    SessionState& s_;
    std::optional<std::string> pendingBitmapPath_;
};

}  // namespace quorvane
