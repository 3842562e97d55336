#include "postprocess/chart/chart_curves.h"

#include <algorithm>
#include <cmath>

#include "postprocess/chart/polyline_reduction.h"

namespace quorvane {

const std::array<CurveStyle, 7> kCurveStyles{{
    {CurveId::DownSvp, "Down SVP", "下行声速", {0, 255, 255}},
    {CurveId::UpSvp, "Up SVP", "上行声速", {0, 128, 192}},
    {CurveId::DownTemp, "Down Temp", "下行温度", {255, 0, 0}},
    {CurveId::UpTemp, "Up Temp", "上行温度", {128, 0, 0}},
    {CurveId::FittedSvp, "Fitting SVP", "拟合声速", {0, 255, 64}},
    {CurveId::FittedTemp, "Fitting Temp", "拟合温度", {0, 128, 0}},
    {CurveId::Average, "Average", "平均声速", {128, 0, 255}},
}};

bool curveShown(const CurveFlags& flags, CurveId id) {
    switch (id) {
        case CurveId::DownSvp:
        case CurveId::UpSvp:
            return flags.castSvp;
        case CurveId::DownTemp:
        case CurveId::UpTemp:
            return flags.castTemp;
        case CurveId::FittedSvp:
            return flags.fittedSvp;
        case CurveId::FittedTemp:
            return flags.fittedTemp;
        case CurveId::Average:
            return flags.average;
    }
    return false;
}

Pen curvePen(const CurveStyle& style) {
    return Pen{style.color, 2, LineStyle::Solid};
}

Pen referencePen() {
    return Pen{kReferenceColor, 2, LineStyle::Solid};
}

namespace {

// Far enough outside any bitmap to draw the same, near enough that no painter overflows.
constexpr double kCoordinateLimit = 1e6;

double scaleOf(int pixels, const AxisScale& axis) {
    double span = axis.end - axis.start;
    if (std::fabs(span) < 1e-7) {
        span = 0.1;
    }
    return pixels / span;
}

int toPixel(double coordinate) {
    return static_cast<int>(std::clamp(coordinate, -kCoordinateLimit, kCoordinateLimit));
}

class CurvePlotter {
  public:
    CurvePlotter(DisplayList& list, const Rect& plot, const AxisScale& depth)
        : list_(list), plot_(plot), depth_(depth), sx_(scaleOf(plot.width(), depth)) {}

    // value(point) is the curve's vertical quantity on `axis`.
    template <class PointT, class Value>
    void add(const Pen& pen, const std::vector<PointT>& points, const AxisScale& axis,
             Value value) {
        const double sv = scaleOf(plot_.height(), axis);
        std::vector<Point> run;
        run.reserve(points.size());
        for (const PointT& p : points) {
            const double v = value(p);
            const double x = plot_.left + (p.depth - depth_.start) * sx_;
            const double y = plot_.bottom - (v - axis.start) * sv;
            // An edited list can hold NaN or infinity: such a point breaks the line instead of
            // sending it to an arbitrary corner.
            if (!std::isfinite(p.depth) || !std::isfinite(v) || std::isnan(x) || std::isnan(y)) {
                flush(pen, run);
                continue;
            }
            run.push_back({toPixel(x), toPixel(y)});
        }
        flush(pen, run);
    }

  private:
    void flush(const Pen& pen, std::vector<Point>& run) {
        reduceColumns(run);
        // A single point draws nothing.
        if (run.size() >= 2) {
            list_.ops.emplace_back(PolylineOp{pen, std::move(run)});
        }
        run.clear();
    }

    DisplayList& list_;
    const Rect plot_;
    const AxisScale& depth_;
    const double sx_;
};

}  // namespace

void addCurves(DisplayList& list, const CastData& data, const CurveFlags& flags,
               const ChartAxes& axes, const Rect& plot) {
    CurvePlotter plotter(list, plot, axes.depth);
    const auto velocity = [](const ProfilePoint& p) { return p.soundVelocity; };
    const auto temperature = [](const ProfilePoint& p) { return p.temperature; };
    for (const CurveStyle& style : kCurveStyles) {
        if (!curveShown(flags, style.id)) {
            continue;
        }
        const Pen pen = curvePen(style);
        switch (style.id) {
            case CurveId::DownSvp:
                plotter.add(pen, data.downCast, axes.velocity, velocity);
                break;
            case CurveId::UpSvp:
                plotter.add(pen, data.upCast, axes.velocity, velocity);
                break;
            case CurveId::DownTemp:
                plotter.add(pen, data.downCast, axes.temperature, temperature);
                break;
            case CurveId::UpTemp:
                plotter.add(pen, data.upCast, axes.temperature, temperature);
                break;
            case CurveId::FittedSvp:
                plotter.add(pen, data.fittedProfile, axes.velocity, velocity);
                break;
            case CurveId::FittedTemp:
                plotter.add(pen, data.fittedProfile, axes.temperature, temperature);
                break;
            case CurveId::Average:
                plotter.add(pen, data.averageProfile, axes.velocity,
                            [](const AveragePoint& p) { return p.averageVelocity; });
                break;
        }
    }
}

void addReferenceCurve(DisplayList& list, const std::vector<ProfilePoint>& profile,
                       const ChartAxes& axes, const Rect& plot) {
    CurvePlotter(list, plot, axes.depth)
        .add(referencePen(), profile, axes.velocity,
             [](const ProfilePoint& p) { return p.soundVelocity; });
}

}  // namespace quorvane
