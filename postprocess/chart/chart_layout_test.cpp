#include "postprocess/chart/chart_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace quorvane {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kBlue{0, 0, 255};

// Seven pixels a character for labels, nine for the title; the Chinese legend's sample text
// gets a width of its own so that the test sees which text sets the advance.
class FixedWidthMeasurer : public TextMeasurer {
  public:
    int width(FontRole font, const std::string& utf8) const override {
        if (utf8 == "四个字体") {
            return 50;
        }
        int characters = 0;
        for (const char byte : utf8) {
            characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
        }
        return characters * (font == FontRole::Title ? 9 : 7);
    }
};

template <class Op>
std::vector<Op> opsOf(const DisplayList& list) {
    std::vector<Op> found;
    for (const DrawOp& op : list.ops) {
        if (const Op* typed = std::get_if<Op>(&op)) {
            found.push_back(*typed);
        }
    }
    return found;
}

struct Text {
    FontRole font;
    Rgb color;
    bool opaque, rotated;
    Point at;
    std::string text;
    bool operator==(const Text&) const = default;
};

std::vector<Text> textsOf(const DisplayList& list) {
    std::vector<Text> texts;
    for (const TextOp& op : opsOf<TextOp>(list)) {
        texts.push_back({op.font, op.color, op.opaqueBackground, op.rotated, op.at, op.text});
    }
    return texts;
}

Text label(int x, int y, const char* text) {
    return {FontRole::Label, kBlack, false, false, {x, y}, text};
}

ChartPicture layout(CastData& data, CurveFlags flags, bool english, const std::string& title,
                    ChartAxes& axes, DisplayMode mode = DisplayMode::Raw) {
    const ChartInput in{data, mode, flags, title, english, 800, 600};
    return layoutChartPicture(in, axes, FixedWidthMeasurer());
}

// 800 x 600 with no file: plot (80, 60, 735, 545), velocity 1400..1560 in 8 steps of
// 485 / 8 = 60.625 px, temperature 0..40 beside it, depth 0..30 in 6 steps of 655 / 6 px.
TEST(LayoutChartPicture, DrawsTheEnglishDefaultChartTextByText) {
    CastData data;
    ChartAxes axes;
    const ChartPicture picture = layout(data, {}, true, "Sound Velocity/Temperature Curve", axes);
    EXPECT_EQ(picture.plotRect, (Rect{80, 60, 735, 545}));

    std::vector<Text> expected = {
        {FontRole::AxisTitle, kBlack, true, true, {0, 363}, "Sound Velocity(m/s)"},
        {FontRole::AxisTitle, kBlack, true, false, {362, 575}, "Depth(m)"},
        {FontRole::AxisTitle, kBlack, true, true, {780, 363}, "Temperature(C)"},
        label(20, 537, "1400.0"),
        label(20, 52, "1560.0"),
        label(738, 537, "0.0"),
        label(738, 52, "40.0"),
        label(70, 553, "0.0"),
        label(725, 553, "30.0"),
    };
    const int gridY[] = {484, 423, 363, 302, 241, 181, 120};
    const char* velocities[] = {"1420.0", "1440.0", "1460.0", "1480.0",
                                "1500.0", "1520.0", "1540.0"};
    const char* temperatures[] = {"5.0", "10.0", "15.0", "20.0", "25.0", "30.0", "35.0"};
    for (int i = 0; i < 7; ++i) {
        expected.push_back(label(20, gridY[i] - 8, velocities[i]));
        expected.push_back(label(738, gridY[i] - 8, temperatures[i]));
    }
    const int gridX[] = {189, 298, 407, 516, 625};
    const char* depths[] = {"5.0", "10.0", "15.0", "20.0", "25.0"};
    for (int i = 0; i < 5; ++i) {
        expected.push_back(label(gridX[i] - 10, 553, depths[i]));
    }
    // 32 characters of 9 px centred on 655 / 2 + 35.
    expected.push_back(
        {FontRole::Title, kBlue, false, false, {218, 5}, "Sound Velocity/Temperature Curve"});
    expected.push_back(label(40, 32, "Down SVP"));
    expected.push_back(label(131, 32, "Up SVP"));
    expected.push_back(label(208, 32, "Down Temp"));
    expected.push_back(label(306, 32, "Up Temp"));
    EXPECT_EQ(textsOf(picture.list), expected);

    const Pen solid{kBlack, 1, LineStyle::Solid};
    const Pen dotted{kBlack, 1, LineStyle::Dotted};
    std::vector<std::tuple<Pen, Point, Point>> lines = {
        {solid, {80, 545}, {735, 545}},
        {solid, {80, 60}, {735, 60}},
        {solid, {80, 60}, {80, 545}},
        {solid, {735, 60}, {735, 545}},
    };
    for (const int y : gridY) {
        lines.push_back({dotted, {80, y}, {735, y}});
    }
    for (const int x : gridX) {
        lines.push_back({dotted, {x, 60}, {x, 545}});
    }
    lines.push_back({Pen{{0, 255, 255}, 2}, {15, 40}, {40, 40}});
    lines.push_back({Pen{{0, 128, 192}, 2}, {106, 40}, {131, 40}});
    lines.push_back({Pen{{255, 0, 0}, 2}, {183, 40}, {208, 40}});
    lines.push_back({Pen{{128, 0, 0}, 2}, {281, 40}, {306, 40}});
    std::vector<std::tuple<Pen, Point, Point>> drawn;
    for (const LineOp& op : opsOf<LineOp>(picture.list)) {
        drawn.push_back({op.pen, op.from, op.to});
    }
    EXPECT_EQ(drawn, lines);

    // The plot background comes after the axis titles and before everything else.
    ASSERT_GE(picture.list.ops.size(), 4u);
    const FillOp* fill = std::get_if<FillOp>(&picture.list.ops[3]);
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(fill->rect, picture.plotRect);
    EXPECT_EQ(fill->color, (Rgb{240, 240, 240}));
    EXPECT_EQ(opsOf<FillOp>(picture.list).size(), 1u);
    EXPECT_TRUE(opsOf<PolylineOp>(picture.list).empty());
}

TEST(LayoutChartPicture, PlacesChineseTitlesAndLegendByTheSampleWidth) {
    CastData data;
    ChartAxes axes;
    const ChartPicture picture = layout(data, {}, false, "声速/温度曲线", axes);
    std::vector<Text> placed;
    for (const Text& t : textsOf(picture.list)) {
        if (t.font != FontRole::Label || t.at.y == 32) {
            placed.push_back(t);
        }
    }
    const std::vector<Text> expected = {
        {FontRole::AxisTitle, kBlack, true, true, {0, 363}, "声速(m/s)"},
        {FontRole::AxisTitle, kBlack, true, false, {362, 575}, "深度(m)"},
        {FontRole::AxisTitle, kBlack, true, true, {780, 363}, "温度(℃)"},
        {FontRole::Title, kBlue, false, false, {366, 5}, "声速/温度曲线"},
        label(75, 32, "下行声速"),
        label(160, 32, "上行声速"),
        label(245, 32, "下行温度"),
        label(330, 32, "上行温度"),
    };
    EXPECT_EQ(placed, expected);
}

// Entries keep the places of hidden ones while the row fits; a row that would be cut at the
// chart's right edge closes up instead.
TEST(LayoutChartPicture, LegendKeepsHiddenPlacesUnlessTheRowWouldBeCut) {
    struct Case {
        int width;
        std::vector<Text> expected;
    };
    const CurveFlags flags{false, false, true, true, true};
    for (const Case& c : {Case{800,
                               {label(390, 32, "Fitting SVP"), label(502, 32, "Fitting Temp"),
                                label(621, 32, "Average")}},
                          Case{600,
                               {label(40, 32, "Fitting SVP"), label(152, 32, "Fitting Temp"),
                                label(271, 32, "Average")}}}) {
        CastData data;
        ChartAxes axes;
        const ChartInput in{data, DisplayMode::Fitting, flags, "t", true, c.width, 600};
        std::vector<Text> legend;
        for (const Text& t : textsOf(layoutChartPicture(in, axes, FixedWidthMeasurer()).list)) {
            if (t.font == FontRole::Label && t.at.y == 32) {
                legend.push_back(t);
            }
        }
        EXPECT_EQ(legend, c.expected) << c.width;
    }
}

// A 0.3 m average: depth steps of 0.05 with two decimals; no temperature labels at x = 738.
TEST(LayoutChartPicture, AverageModeLabelsOnlyTheLeftAxisAndKeepsTheTemperatureTitle) {
    CastData data;
    data.averageProfile = {{0, 1490}, {0.3, 1560}};
    data.averageDepthMax = 0.3;
    data.averageVelocityMin = 1490;
    data.averageVelocityMax = 1560;
    ChartAxes axes;
    const ChartPicture picture =
        layout(data, {false, false, false, false, true}, true, "", axes, DisplayMode::Average);
    std::vector<std::string> depthLabels;
    bool temperatureTitle = false;
    for (const Text& t : textsOf(picture.list)) {
        EXPECT_NE(t.at.x, 738) << t.text;
        temperatureTitle |= t.text == "Temperature(C)";
        if (t.font == FontRole::Label && t.at.y == 553) {
            depthLabels.push_back(t.text);
        }
    }
    EXPECT_TRUE(temperatureTitle);
    const std::vector<std::string> expected = {"0.00", "0.30", "0.05", "0.10",
                                               "0.15", "0.20", "0.25"};
    EXPECT_EQ(depthLabels, expected);
}

std::vector<std::pair<Rgb, std::vector<Point>>> polylinesOf(const DisplayList& list) {
    std::vector<std::pair<Rgb, std::vector<Point>>> found;
    for (const PolylineOp& op : opsOf<PolylineOp>(list)) {
        EXPECT_EQ(op.pen.width, 2);
        EXPECT_EQ(op.pen.style, LineStyle::Solid);
        found.push_back({op.pen.color, op.points});
    }
    return found;
}

// Default ranges: sx = 655 / 30, sv = 485 / 160, st = 485 / 40. Depth -5 maps to
// 80 - 109.17 = -29.17, truncated toward zero to -29; a NaN temperature breaks the curve
// and leaves a one-point piece, which is dropped; 1e300 m/s is held at -1e6.
TEST(LayoutChartPicture, MapsCurvePointsTruncatingAndBreakingAtNonFiniteValues) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    CastData data;
    data.velocityMin = 1400;
    data.velocityMax = 1550;
    data.temperatureMax = 30;
    data.depthMax = 30;
    data.downCast = {
        {0, 1400, 0}, {15, 1480, 20}, {-5, 1300, kNaN}, {30, 1560, 40}, {15, 1e300, 20}};
    data.upCast = {{10, 1500, 10}};
    ChartAxes axes;
    const ChartPicture picture = layout(data, {}, true, "", axes);
    const std::vector<std::pair<Rgb, std::vector<Point>>> expected = {
        {{0, 255, 255}, {{80, 545}, {407, 302}, {-29, 848}, {735, 60}, {407, -1000000}}},
        {{255, 0, 0}, {{80, 545}, {407, 302}}},
        {{255, 0, 0}, {{735, 60}, {407, 302}}},
    };
    EXPECT_EQ(polylinesOf(picture.list), expected);
}

TEST(LayoutChartPicture, DrawsTheSevenCurvesInPenTableOrder) {
    CastData data;
    data.downCast = data.upCast = data.fittedProfile = {{0, 1480, 5}, {30, 1524, 20}};
    data.averageProfile = {{0, 1490}, {30, 1500}};
    data.velocityMin = 1480;
    data.velocityMax = 1524;
    data.temperatureMin = 5;
    data.temperatureMax = 20;
    data.depthMax = 30;
    ChartAxes axes;
    const ChartPicture picture = layout(data, {true, true, true, true, true}, true, "", axes);
    std::vector<Rgb> colours;
    for (const auto& [colour, points] : polylinesOf(picture.list)) {
        colours.push_back(colour);
    }
    const std::vector<Rgb> expected = {{0, 255, 255}, {0, 128, 192}, {255, 0, 0},  {128, 0, 0},
                                       {0, 255, 64},  {0, 128, 0},   {128, 0, 255}};
    EXPECT_EQ(colours, expected);
}

// Spans below 1e-7 divide by 0.1 instead: 655 / 0.1 px per metre, 485 / 0.1 px per m/s.
TEST(AddCurves, GuardsAgainstAnEmptySpan) {
    CastData data;
    data.fittedProfile = {{5, 1500, 0}, {5.013, 1500.013, 0}};
    ChartAxes axes;
    axes.depth = {5, 5, 1, 1};
    axes.velocity = {1500, 1500 + 5e-8, 1, 1};
    DisplayList list;
    addCurves(list, data, {false, false, true, false, false}, axes, Rect{80, 60, 735, 545});
    const std::vector<std::pair<Rgb, std::vector<Point>>> expected = {
        {{0, 255, 64}, {{80, 545}, {165, 481}}}};
    EXPECT_EQ(polylinesOf(list), expected);
}

// The previous cast ran from 1480 to 1520 m/s down to 120 m, beyond the shown cast's
// 1490..1510 m/s and 100 m: the axes widen to 1480..1520 and 0..120, so its three points land
// on the plot's corners and centre (800 x 600: plot 80..735 by 60..545). One that lies within
// the axes leaves the cast's own curve where it was.
TEST(LayoutChartWithReference, WidensTheAxesToHoldTheReferenceInsideThePlot) {
    struct Case {
        std::vector<ProfilePoint> reference;
        std::vector<Point> expected;  // empty: the cast's curve stays put
    };
    const Case cases[] = {
        {{{0, 1480, 5}, {60, 1500, 5}, {120, 1520, 5}}, {{80, 545}, {407, 302}, {735, 60}}},
        {{{10, 1495, 5}, {90, 1505, 5}}, {}},
    };
    for (const Case& c : cases) {
        CastData data;
        data.fittedProfile = {{0, 1490, 20}, {50, 1500, 15}, {100, 1510, 10}};
        data.velocityMin = 1490;
        data.velocityMax = 1510;
        data.temperatureMin = 10;
        data.temperatureMax = 20;
        data.depthMax = 100;
        const CurveFlags flags{false, false, true, false, false};
        ChartAxes axes;
        const ChartInput in{data, DisplayMode::Fitting, flags, "", true, 800, 600};
        const ChartPicture plain = layoutChartPicture(in, axes, FixedWidthMeasurer());
        const ChartPicture picture = layoutChartWithReference(
            data, lookOf(in), axes, {c.reference, "Previous cast a.bin"}, FixedWidthMeasurer());

        const auto lines = polylinesOf(picture.list);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[1].first, kReferenceColor);
        const Rect& plot = picture.plotRect;
        for (const Point& p : lines[1].second) {
            EXPECT_TRUE(p.x >= plot.left && p.x <= plot.right && p.y >= plot.top &&
                        p.y <= plot.bottom)
                << p.x << "," << p.y;
        }
        if (c.expected.empty()) {
            EXPECT_EQ(lines[0], polylinesOf(plain.list)[0]);
        } else {
            EXPECT_EQ(lines[1].second, c.expected);
        }
        const std::vector<Text> texts = textsOf(picture.list);
        EXPECT_NE(std::find_if(texts.begin(), texts.end(),
                               [](const Text& t) { return t.text == "Previous cast a.bin"; }),
                  texts.end());
    }
}

}  // namespace
}  // namespace quorvane
