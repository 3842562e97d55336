#include "postprocess/compare/ray_trace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace quorvane {
namespace {

const std::vector<ProfilePoint> kGradient = {{0.0, 1500.0, 0.0}, {100.0, 1520.0, 0.0}};
const std::vector<ProfilePoint> kSteep = {{0.0, 1500.0, 0.0}, {100.0, 1600.0, 0.0}};
const std::vector<ProfilePoint> kShort = {{10.0, 1500.0, 0.0}, {50.0, 1520.0, 0.0}};

// Expected values from t = ln(tan(γ₂/2)/tan(γ₁/2))/g and x = c₁(cos γ₁ − cos γ₂)/(g sin γ₁),
// and for a time, tan(γ/2) = tan(γ₁/2)·e^(g·t), worked in Python.
TEST(RayTraceTest, ARayThroughOneGradientFollowsTheArc) {
    struct Case {
        const std::vector<ProfilePoint>* profile;
        double draft, angle, depth, time, across;
    };
    for (const Case& c : {
             Case{&kGradient, 0.0, 30.0, 100.0, 0.07664243085853417, 58.25052850481183},
             Case{&kGradient, 0.0, 30.0, 52.08124388740089, 0.04, 30.20864719871508},
             // From a 5 m draft the launch speed is 1501 m/s: t = ln(1520/1501)/0.2.
             Case{&kGradient, 5.0, 0.0, 100.0, 0.06289391103430092, 0.0},
             // Nearly horizontal in a steep gradient, a little short of turning back.
             Case{&kSteep, 0.0, 70.0, 76.9458304679456, 0.2, 298.3486198847932},
             // 1500 m/s from the 2 m draft to the first point at 10 m, the gradient to 50 m, then
             // the last speed on to 80 m.
             Case{&kShort, 2.0, 0.0, 80.0, 8.0 / 1500 + 2.0 * std::log(1520.0 / 1500) + 30.0 / 1520,
                  0.0},
         }) {
        const RayProfile rays = rayProfileFrom(*c.profile, c.draft);
        const RayEnd down = traceToDepth(rays, c.angle, c.depth);
        EXPECT_NEAR(down.oneWayTime, c.time, 1e-12) << c.depth;
        EXPECT_NEAR(down.across, c.across, 1e-9) << c.depth;
        const RayEnd timed = traceForTime(rays, c.angle, c.time);
        EXPECT_NEAR(timed.depth, c.depth, 1e-8) << c.depth;
        EXPECT_NEAR(timed.across, c.across, 1e-8) << c.depth;
        EXPECT_FALSE(down.turned || timed.turned);
    }
}

TEST(RayTraceTest, AStraightLayerAndAVerticalRayNeedNoSpecialCase) {
    const std::vector<ProfilePoint> still = {{0.0, 1500.0, 0.0}, {100.0, 1500.0, 0.0}};
    const RayEnd slant = traceToDepth(rayProfileFrom(still, 0.0), 45.0, 100.0);
    EXPECT_NEAR(slant.oneWayTime, 0.09428090415820632, 1e-14);
    EXPECT_NEAR(slant.across, 100.0, 1e-9);
    const RayEnd down = traceForTime(rayProfileFrom(kSteep, 0.0), 0.0, 0.05);
    EXPECT_NEAR(down.depth, 1500.0 * std::expm1(0.05), 1e-9);  // dz/dt = c, dc/dt = g·c
    EXPECT_EQ(down.across, 0.0);
}

// At 70° from 1500 m/s the ray lies horizontal where the speed reaches 1500/sin 70°, 96.27 m
// down, after ln(1/tan 35°) s and 1500/tan 70° m.
TEST(RayTraceTest, ARayThatTurnsBackStopsWhereItTurns) {
    const RayProfile rays = rayProfileFrom(kSteep, 0.0);
    for (const RayEnd& end : {traceToDepth(rays, 70.0, 100.0), traceForTime(rays, 70.0, 1.0)}) {
        EXPECT_TRUE(end.turned);
        EXPECT_NEAR(end.depth, 96.26665871386831, 1e-9);
        EXPECT_NEAR(end.across, 545.9553513993037, 1e-8);
        EXPECT_NEAR(end.oneWayTime, 0.35637850472444993, 1e-12);
    }
    EXPECT_FALSE(traceToDepth(rays, 69.0, 100.0).turned);
}

TEST(RayTraceTest, TheSpeedBetweenAndBeyondThePoints) {
    EXPECT_EQ(speedAtDepth(kShort, 5.0), 1500.0);
    EXPECT_EQ(speedAtDepth(kShort, 30.0), 1510.0);
    EXPECT_EQ(speedAtDepth(kShort, 60.0), 1520.0);
    EXPECT_EQ(speedAtDepth({}, 5.0), 0.0);
    EXPECT_TRUE(rayProfileFrom({}, 5.0).depths.empty());
}

}  // namespace
}  // namespace quorvane
