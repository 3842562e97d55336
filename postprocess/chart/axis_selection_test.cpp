#include "postprocess/chart/axis_selection.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

struct Span {
    double start, end;
    int intervals;
};

struct Ranges {
    double depthMin, depthMax, velocityMin, velocityMax;
};

struct SelectionCase {
    DisplayMode mode;
    const char* shown;  // v/t: cast velocity/temperature, V/T: fitted ones, a: average
    bool loaded;        // casts, fitted profile and average profile filled
    Span depth, velocity, temperature;
    Ranges after;
};

CurveFlags flagsOf(const std::string& shown) {
    const auto has = [&](char c) { return shown.find(c) != std::string::npos; };
    return {has('v'), has('t'), has('V'), has('T'), has('a')};
}

// Profile ranges velocity 1480..1524, temperature -1.3..24.6, depth 0..30; average ranges
// velocity 1490..1560, depth 2..40. The axes start as a previous paint left them: velocity
// 1400..1430 in 6 steps, temperature 10..11. Showing the average beside a velocity curve
// merges the ranges; alone it uses its own; the Fitting mode ignores the cast flags.
TEST(SelectAxes, ChoosesTheAxesOfTheShownCurvesPerMode) {
    using enum DisplayMode;
    const Ranges profile{0, 30, 1480, 1524};
    const Ranges merged{0, 40, 1480, 1560};
    const Ranges reset{0, 30, 1400, 1550};
    // clang-format off
    const SelectionCase cases[] = {
        {Raw,     "vt", true,  {0, 30, 6}, {1480, 1540, 6}, {-5, 25, 6}, profile},
        {Raw,     "va", true,  {0, 40, 4}, {1480, 1560, 4}, {10, 14, 4}, merged},
        {Raw,     "Va", true,  {0, 40, 4}, {1480, 1560, 4}, {10, 14, 4}, merged},
        {Raw,     "a",  true,  {0, 40, 4}, {1490, 1560, 7}, {10, 17, 7}, profile},
        {Raw,     "",   true,  {0, 30, 6}, {1400, 1560, 8}, {0, 40, 8},  reset},
        {Raw,     "vt", false, {0, 30, 6}, {1400, 1560, 8}, {0, 40, 8},  reset},
        {Fitting, "vT", true,  {0, 30, 6}, {1400, 1430, 6}, {-5, 25, 6}, profile},
        {Fitting, "Va", true,  {0, 40, 4}, {1480, 1560, 4}, {10, 14, 4}, merged},
        {Fitting, "vt", true,  {0, 30, 6}, {1400, 1560, 8}, {0, 40, 8},  reset},
        {Average, "a",  true,  {0, 40, 4}, {1490, 1560, 7}, {10, 17, 7}, profile},
        {Average, "a",  false, {0, 30, 6}, {1400, 1560, 8}, {0, 40, 8},  reset},
        {Average, "vt", true,  {0, 30, 6}, {1400, 1560, 8}, {0, 40, 8},  reset},
    };
    // clang-format on
    for (const SelectionCase& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.mode) << " '" << c.shown << "' " << c.loaded);
        CastData data;
        data.depthMin = 0;
        data.depthMax = 30;
        data.velocityMin = 1480;
        data.velocityMax = 1524;
        data.temperatureMin = -1.3;
        data.temperatureMax = 24.6;
        data.averageDepthMin = 2;
        data.averageDepthMax = 40;
        data.averageVelocityMin = 1490;
        data.averageVelocityMax = 1560;
        if (c.loaded) {
            data.downCast = {{0, 1480, 24.6}, {30, 1524, -1.3}};
            data.upCast = data.downCast;
            data.fittedProfile = data.downCast;
            data.averageProfile = {{2, 1490}, {40, 1560}};
        }
        ChartAxes axes;
        axes.velocity = {1400, 1430, 5, 6};
        axes.temperature = {10, 11, 1, 1};
        selectAxes(data, c.mode, flagsOf(c.shown), axes);
        const std::pair<const AxisScale*, Span> expected[] = {{&axes.depth, c.depth},
                                                              {&axes.velocity, c.velocity},
                                                              {&axes.temperature, c.temperature}};
        for (const auto& [axis, span] : expected) {
            EXPECT_DOUBLE_EQ(axis->start, span.start);
            EXPECT_DOUBLE_EQ(axis->end, span.end);
            EXPECT_EQ(axis->intervals, span.intervals);
        }
        EXPECT_EQ(data.depthMin, c.after.depthMin);
        EXPECT_EQ(data.depthMax, c.after.depthMax);
        EXPECT_EQ(data.velocityMin, c.after.velocityMin);
        EXPECT_EQ(data.velocityMax, c.after.velocityMax);
    }
}

}  // namespace
}  // namespace quorvane
