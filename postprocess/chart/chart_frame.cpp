#include "postprocess/chart/chart_frame.h"

#include <algorithm>
#include <charconv>

#include "common/strformat.h"

namespace quorvane {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Pen kFramePen{kBlack, 1, LineStyle::Solid};
constexpr Pen kGridPen{kBlack, 1, LineStyle::Dotted};

// The frame's fixed left and top edges; the right and bottom follow the bitmap size.
constexpr int kLeft = 80;
constexpr int kTop = 60;

constexpr int kVelocityLabelX = 20;
constexpr int kLabelRaise = 8;    // labels sit this far above their grid line
constexpr int kLabelCentre = 10;  // depth labels start this far left of their grid line

constexpr int kLegendLineY = 40;
constexpr int kLegendTextY = 32;
constexpr int kLegendLine = 25;
constexpr int kLegendGap = 10;
constexpr int kReferenceRowDrop = 14;

// printf's "%.<digits>g": exponent notation where that is shorter, a decimal point whatever the
// locale.
std::string exponentLabel(double value, int digits) {
    char text[32];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits).ptr;
    return std::string(text, end);
}

class FrameBuilder {
  public:
    FrameBuilder(DisplayList& list, const ChartLook& in, const ChartAxes& axes,
                 const TextMeasurer& measure, const std::string& referenceLegend)
        : list_(list),
          in_(in),
          referenceLegend_(referenceLegend),
          axes_(axes),
          measure_(measure),
          plot_(plotRectOf(in.width, in.height)),
          dy_(plot_.height() / double(axes.velocity.intervals)),
          dx_(plot_.width() / double(axes.depth.intervals)),
          rightLabels_(in.mode != DisplayMode::Average) {}

    void axisTitles() {
        const int pb = plot_.bottom;
        const bool en = in_.english;
        axisTitle(true, {0, 2 * pb / 3}, en ? "Sound Velocity(m/s)" : "声速(m/s)");
        axisTitle(false, {plot_.width() / 2 + 35, pb + 30}, en ? "Depth(m)" : "深度(m)");
        axisTitle(true, {plot_.right + 45, 2 * pb / 3}, en ? "Temperature(C)" : "温度(℃)");
    }

    void background() { add(FillOp{plot_, in_.buttonFace}); }

    void outline() {
        const AxisScale& velocity = axes_.velocity;
        const AxisScale& temperature = axes_.temperature;
        const AxisScale& depth = axes_.depth;
        const int pb = plot_.bottom;
        const int yTop = static_cast<int>(pb - velocity.intervals * dy_);
        label({kVelocityLabelX, pb - kLabelRaise}, velocityLabel(velocity.start));
        label({kVelocityLabelX, yTop - kLabelRaise}, velocityLabel(velocity.end));
        if (rightLabels_) {
            const double top = temperature.start + temperature.intervals * temperature.step;
            label({plot_.right + 3, pb - kLabelRaise}, temperatureLabel(temperature.start));
            label({plot_.right + 3, yTop - kLabelRaise}, temperatureLabel(top));
        }
        line(kFramePen, {kLeft, pb}, {plot_.right, pb});
        line(kFramePen, {kLeft, yTop}, {plot_.right, yTop});

        const double xEnd = depth.intervals * dx_ + kLeft;
        depthLabel(kLeft - kLabelCentre, depth.start);
        depthLabel(static_cast<int>(xEnd - kLabelCentre), depth.end);
        line(kFramePen, {kLeft, kTop}, {kLeft, pb});
        line(kFramePen, {static_cast<int>(xEnd), kTop}, {static_cast<int>(xEnd), pb});
    }

    void grid() {
        const AxisScale& velocity = axes_.velocity;
        const AxisScale& temperature = axes_.temperature;
        const AxisScale& depth = axes_.depth;
        const int pb = plot_.bottom;
        for (int i = 1; i < velocity.intervals; ++i) {
            const int y = static_cast<int>(pb - i * dy_);
            label({kVelocityLabelX, y - kLabelRaise},
                  velocityLabel(velocity.start + i * velocity.step));
            if (rightLabels_) {
                label({plot_.right + 3, y - kLabelRaise},
                      temperatureLabel(temperature.start + i * temperature.step));
            }
            line(kGridPen, {kLeft, y}, {plot_.right, y});
        }
        for (int i = 1; i < depth.intervals; ++i) {
            const double x = i * dx_ + kLeft;
            depthLabel(static_cast<int>(x - kLabelCentre), depth.start + i * depth.step);
            line(kGridPen, {static_cast<int>(x), kTop}, {static_cast<int>(x), pb});
        }
    }

    void title() {
        const double width = measure_.width(FontRole::Title, in_.title);
        const double centre = plot_.width() * 0.5 + (in_.english ? 35 : 70);
        add(TextOp{FontRole::Title,
                   kBlue,
                   false,
                   false,
                   {static_cast<int>(centre - width * 0.5), 5},
                   in_.title});
    }

    // Hidden entries keep their place, so switching a curve never moves the others. When the
    // shown entries would then run past the chart's right edge (the fitted and average entries
    // sit behind the cast entries' places), they close up instead, so that none is cut off.
    void legend() {
        if (!legendRow(true)) {
            list_.ops.erase(list_.ops.begin() + static_cast<std::ptrdiff_t>(legendStart_),
                            list_.ops.end());
            legendRow(false);
        }
        referenceEntry();
    }

    // A reference names its file, which may be long: it follows the cast's entries where it
    // fits, and otherwise takes a row of its own between the legend and the plot, so that
    // neither it nor the cast's entries are cut or moved.
    void referenceEntry() {
        if (referenceLegend_.empty()) {
            return;
        }
        Point at{referenceX_, kLegendLineY};
        if (at.x + kLegendLine + measure_.width(FontRole::Label, referenceLegend_) > in_.width) {
            at = {plot_.left, kLegendLineY + kReferenceRowDrop};
        }
        line(referencePen(), at, {at.x + kLegendLine, at.y});
        label({at.x + kLegendLine, at.y - (kLegendLineY - kLegendTextY)}, referenceLegend_);
    }

    // Adds the legend entries; false when one ends past the chart's right edge.
    bool legendRow(bool keepPlaces) {
        legendStart_ = list_.ops.size();
        const bool en = in_.english;
        // Every Chinese legend text has four characters: one common advance keeps them even.
        const int chineseAdvance = en ? 0 : measure_.width(FontRole::Label, "四个字体");
        int x = en ? 15 : 50;
        bool fits = true;
        for (const CurveStyle& style : kCurveStyles) {
            const char* text = en ? style.english : style.chinese;
            const int advance = en ? measure_.width(FontRole::Label, text) : chineseAdvance;
            const bool shown = curveShown(in_.flags, style.id);
            if (shown) {
                line(curvePen(style), {x, kLegendLineY}, {x + kLegendLine, kLegendLineY});
                label({x + kLegendLine, kLegendTextY}, text);
                fits = fits && x + kLegendLine + advance <= in_.width;
            }
            if (shown || keepPlaces) {
                x += kLegendLine + advance + kLegendGap;
            }
        }
        referenceX_ = x;
        return fits;
    }

  private:
    // "%.2f" or "%.1f" by the axis's step. A label that would not fit its room (a profile
    // holding values near the ends of the double range has labels of hundreds of digits) takes
    // the exponent form with as many digits as fit.
    std::string axisLabel(const AxisScale& axis, double value, int room) const {
        std::string text = fixedDecimals(value, axis.step < 0.1 - 1e-6 ? 2 : 1);
        for (int digits = 6; digits >= 1 && measure_.width(FontRole::Label, text) > room;
             --digits) {
            text = exponentLabel(value, digits);
        }
        return text;
    }

    std::string velocityLabel(double value) const {
        return axisLabel(axes_.velocity, value, kLeft - kVelocityLabelX);
    }
    std::string temperatureLabel(double value) const {
        return axisLabel(axes_.temperature, value, in_.width - (plot_.right + 3));
    }
    // Depth labels share the room between two ticks, and the last one ends inside the chart.
    void depthLabel(int x, double value) {
        const int room = std::min(static_cast<int>(dx_), in_.width - x);
        label({x, plot_.bottom + kLabelRaise}, axisLabel(axes_.depth, value, room));
    }

    // In place: GCC 12 reports a variant built from a temporary as maybe-uninitialized.
    template <class Op>
    void add(Op op) {
        list_.ops.emplace_back(std::in_place_type<Op>, std::move(op));
    }

    void axisTitle(bool rotated, Point at, const char* text) {
        add(TextOp{FontRole::AxisTitle, kBlack, true, rotated, at, text});
    }

    void label(Point at, std::string text) {
        add(TextOp{FontRole::Label, kBlack, false, false, at, std::move(text)});
    }

    void line(const Pen& pen, Point from, Point to) { add(LineOp{pen, from, to}); }

    DisplayList& list_;
    const ChartLook& in_;
    const std::string& referenceLegend_;
    const ChartAxes& axes_;
    const TextMeasurer& measure_;
    const Rect plot_;
    const double dy_, dx_;
    const bool rightLabels_;
    size_t legendStart_ = 0;
    int referenceX_ = 0;
};

}  // namespace

Rect plotRectOf(int width, int height) {
    return {kLeft, kTop, width - 65, height - 55};
}

void DrawChartFrame(DisplayList& list, const ChartLook& in, const ChartAxes& axes,
                    const TextMeasurer& measure, const std::string& referenceLegend) {
    FrameBuilder frame(list, in, axes, measure, referenceLegend);
    frame.axisTitles();
    frame.background();
    frame.outline();
    frame.grid();
    frame.title();
    frame.legend();
}

}  // namespace quorvane
