#include "postprocess/chart/axis_scale.h"

#include <gtest/gtest.h>

#include <limits>

namespace quorvane {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct AxisCase {
    double min, max;
    double start, end, step;
    int intervals;
};

// The worked examples, plus ranges whose quotients land a hair beside an integer
// (0.3 / 0.1 = 2.9999999999999996, 1.1 / 0.1 = 11.000000000000002): without the snapping the
// scale would start one step early or end one step late.
TEST(SetupAxis, BuildsTheNiceScaleOfARange) {
    const AxisCase cases[] = {
        {0, 30, 0, 30, 5, 6},
        {1400, 1550, 1400, 1560, 20, 8},
        {1480, 1524, 1480, 1530, 10, 5},
        {-1.3, 24.6, -5, 25, 5, 6},
        {2.0, 2.3, 2.0, 2.3, 0.05, 6},
        {0.5, 0.5, 0.5, 1.5, 1, 1},
        {0.3, 0.7, 0.3, 0.7, 0.1, 4},
        {0.6, 1.1, 0.6, 1.1, 0.1, 5},
        {0, 0.3, 0, 0.3, 0.05, 6},
        // Reversed, empty, non-finite and unresolvable ranges: one interval of width 1.
        {30, 0, 30, 31, 1, 1},
        {kNaN, 5, 0, 1, 1, 1},
        {-kInf, 5, 0, 1, 1, 1},
        {2, kInf, 2, 3, 1, 1},
        {-1e308, 1e308, -1e308, -1e308 + 1, 1, 1},
        // A finite range whose outer tick (-4 steps of 5e307) lies beyond the largest double.
        {-1.7906433578628557e308, 7.0497769994600607e305, -1.7906433578628557e308,
         -1.7906433578628557e308, 1, 1},
        {9007199254740992.0, 9007199254740994.0, 9007199254740992.0, 9007199254740993.0, 1, 1},
        {1e17, 1e17 + 64, 1e17, 1e17 + 1, 1, 1},
    };
    for (const AxisCase& c : cases) {
        AxisScale axis;
        SetupAxis(axis, c.min, c.max);
        SCOPED_TRACE(testing::Message() << c.min << " .. " << c.max);
        EXPECT_NEAR(axis.start, c.start, 1e-12);
        EXPECT_NEAR(axis.end, c.end, 1e-12);
        EXPECT_NEAR(axis.step, c.step, 1e-12);
        EXPECT_EQ(axis.intervals, c.intervals);
    }
}

TEST(NiceScale, CountsTickPositionsAndRefusesEmptyRanges) {
    const auto scale = NiceScale(1400, 1550);
    ASSERT_TRUE(scale);
    EXPECT_EQ(scale->count, 9);
    EXPECT_FALSE(NiceScale(5, 5 + 0.9e-10));
    EXPECT_TRUE(NiceScale(5, 5 + 1e-9));
    EXPECT_FALSE(NiceScale(kNaN, kNaN));
}

TEST(ResetAxes, SetsTheDefaultRangesAndAxes) {
    CastData data;
    data.velocityMin = 1;
    data.depthMax = 900;
    ChartAxes axes;
    ResetAxes(data, axes);
    EXPECT_EQ(data.velocityMin, 1400);
    EXPECT_EQ(data.velocityMax, 1550);
    EXPECT_EQ(data.temperatureMin, 0);
    EXPECT_EQ(data.temperatureMax, 30);
    EXPECT_EQ(data.depthMin, 0);
    EXPECT_EQ(data.depthMax, 30);
    // Each axis is built from its own default range.
    EXPECT_EQ(axes.velocity.end, 1560);
    EXPECT_EQ(axes.temperature.intervals, 6);
    EXPECT_EQ(axes.depth.step, 5);
}

}  // namespace
}  // namespace quorvane
