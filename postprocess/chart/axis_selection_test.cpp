#include "postprocess/chart/axis_selection.h"

#include <gtest/gtest.h>

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
    const char* name;
    DisplayMode mode;
    CurveFlags flags;
    bool loaded;  // casts, fitted profile and average profile filled
    Span depth, velocity, temperature;
    Ranges after;
};

// Profile ranges velocity 1480..1524, temperature -1.3..24.6, depth 0..30; average ranges
// velocity 1490..1560, depth 2..40. The axes start as a previous paint left them.
TEST(SelectAxes, ChoosesTheAxesOfTheShownCurvesPerMode) {
    const Ranges profile{0, 30, 1480, 1524};
    const Ranges merged{0, 40, 1480, 1560};
    const Ranges reset{0, 30, 1400, 1550};
    const SelectionCase cases[] = {
        {"raw casts",
         DisplayMode::Raw,
         {true, true, false, false, false},
         true,
         {0, 30, 6},
         {1480, 1540, 6},
         {-5, 25, 6},
         profile},
        {"raw velocity with average merges the ranges",
         DisplayMode::Raw,
         {true, false, false, false, true},
         true,
         {0, 40, 4},
         {1480, 1560, 4},
         {10, 14, 4},
         merged},
        {"raw fitted velocity with average merges too",
         DisplayMode::Raw,
         {false, false, true, false, true},
         true,
         {0, 40, 4},
         {1480, 1560, 4},
         {10, 14, 4},
         merged},
        {"raw average alone uses its own ranges",
         DisplayMode::Raw,
         {false, false, false, false, true},
         true,
         {0, 40, 4},
         {1490, 1560, 7},
         {10, 17, 7},
         profile},
        {"raw with nothing shown",
         DisplayMode::Raw,
         {false, false, false, false, false},
         true,
         {0, 30, 6},
         {1400, 1560, 8},
         {0, 40, 8},
         reset},
        {"raw with nothing loaded",
         DisplayMode::Raw,
         {true, true, false, false, false},
         false,
         {0, 30, 6},
         {1400, 1560, 8},
         {0, 40, 8},
         reset},
        {"fitting ignores the cast flags",
         DisplayMode::Fitting,
         {true, false, false, true, false},
         true,
         {0, 30, 6},
         {1400, 1430, 6},
         {-5, 25, 6},
         profile},
        {"fitting velocity with average merges",
         DisplayMode::Fitting,
         {false, false, true, false, true},
         true,
         {0, 40, 4},
         {1480, 1560, 4},
         {10, 14, 4},
         merged},
        {"fitting with only cast flags resets",
         DisplayMode::Fitting,
         {true, true, false, false, false},
         true,
         {0, 30, 6},
         {1400, 1560, 8},
         {0, 40, 8},
         reset},
        {"average mode",
         DisplayMode::Average,
         {false, false, false, false, true},
         true,
         {0, 40, 4},
         {1490, 1560, 7},
         {10, 17, 7},
         profile},
        {"average mode without an average",
         DisplayMode::Average,
         {false, false, false, false, true},
         false,
         {0, 30, 6},
         {1400, 1560, 8},
         {0, 40, 8},
         reset},
        {"average mode with the average hidden",
         DisplayMode::Average,
         {true, true, false, false, false},
         true,
         {0, 30, 6},
         {1400, 1560, 8},
         {0, 40, 8},
         reset},
    };
    for (const SelectionCase& c : cases) {
        SCOPED_TRACE(c.name);
        CastData data;
        data.displayMode = c.mode;
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
        SelectAxes(data, c.flags, axes);
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
