#include "postprocess/reduction/average_velocity.h"

#include <gtest/gtest.h>

#include "postprocess/reduction/reduction_messages.h"

#include <cmath>

namespace quorvane {
namespace {

CastData fitted(const std::vector<std::pair<double, double>>& depthVelocity) {
    CastData data;
    for (auto [d, v] : depthVelocity) data.fittedProfile.push_back({d, v, 10});
    return data;
}

TEST(AverageVelocity, DefaultStartDepthIsTwoDecimalsPlusOneCentimetre) {
    const std::pair<double, float> cases[] = {
        {1.2345, 1.24f}, {0.5, 0.51f}, {0.999, 1.01f}, {10.2111, 10.22f}};
    for (auto [depthMin, expected] : cases) {
        EXPECT_EQ(defaultAverageStartDepth(depthMin), expected) << depthMin;
    }
}

TEST(AverageVelocity, WorkedExamples) {
    {  // constant velocity from 1 m to 11 m
        std::vector<std::pair<double, double>> points;
        for (int d = 1; d <= 11; ++d) points.push_back({d, 1500});
        CastData data = fitted(points);
        const AverageResult r = ComputeAverageVelocity(data, 1.0f);
        EXPECT_EQ(r.status, AverageStatus::Computed);
        EXPECT_FLOAT_EQ(r.averageVelocity, 1500.0f);
        const auto message = averageMessage(r);
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(message->type, BoxType::YesNoQuestion);
        EXPECT_EQ(message->text.en, "Maximum depth:11.00m\nAverage Sound Velocity:1500.00m/s");
        EXPECT_EQ(message->text.zh, "最大深度:11.00m\n平均声速:1500.00m/s");
        ASSERT_EQ(data.averageProfile.size(), 11u);
        EXPECT_EQ(data.averageProfile.front().depth, 1.0);
        EXPECT_DOUBLE_EQ(data.averageProfile.back().averageVelocity, 1500.0);
        EXPECT_EQ(data.averageStartDepth, 1.0f);
    }
    {  // a linear gradient layer: exact travel time ln(v2/v1)/k
        CastData data = fitted({{10, 1500}, {20, 1510}});
        const AverageResult r = ComputeAverageVelocity(data, 10.0f);
        const double expected = 10.0 / std::log(1510.0 / 1500.0);
        EXPECT_NEAR(expected, 1504.99, 0.01);
        EXPECT_FLOAT_EQ(r.averageVelocity, float(expected));
        ASSERT_EQ(data.averageProfile.size(), 2u);
        EXPECT_DOUBLE_EQ(data.averageProfile[1].averageVelocity, expected);
        EXPECT_EQ(data.averageVelocityMin, 1500);
        EXPECT_EQ(data.averageVelocityMax, 1510);  // fitted velocities, not averages
    }
}

TEST(AverageVelocity, StartDepthSelectsLayers) {
    {  // start 0 takes the surface point with the shallowest fitted velocity
        CastData data = fitted({{4, 1480}, {2, 1500}, {6, 1490}});
        ComputeAverageVelocity(data, 0.0f);
        ASSERT_EQ(data.averageProfile.size(), 4u);
        EXPECT_EQ(data.averageProfile[0].depth, 0.0);
        EXPECT_EQ(data.averageProfile[0].averageVelocity, 1500.0);
        EXPECT_EQ(data.averageDepthMin, 0.0);
    }
    {  // deeper than every point but the last: nothing, no box, still a success
        CastData data = fitted({{1, 1500}, {2, 1500}, {3, 1500}});
        data.averageProfile.push_back({9, 9});
        const AverageResult r = ComputeAverageVelocity(data, 2.5f);
        EXPECT_EQ(r.status, AverageStatus::NoLayers);
        EXPECT_TRUE(r.succeeded());
        EXPECT_FALSE(averageMessage(r).has_value());
        EXPECT_TRUE(data.averageProfile.empty());
    }
    {  // nothing fitted: the command fails and the old average stays
        CastData data;
        data.averageProfile.push_back({9, 9});
        const AverageResult r = ComputeAverageVelocity(data, 1.0f);
        EXPECT_FALSE(r.succeeded());
        EXPECT_EQ(data.averageProfile.size(), 1u);
    }
}

TEST(AverageVelocity, RefusedAverageNamesTheFaultAndLeavesThePreviousOneAsItWas) {
    const std::string badRow =
        "Row 2 of the data list holds a depth that is not a number, or a sound velocity that is "
        "zero, negative or not a number: the average sound velocity cannot be computed. Correct "
        "it and try again.";
    const std::pair<std::vector<std::pair<double, double>>, std::string> cases[] = {
        {{{1, 1500}, {2, 0.0}, {3, 1500}}, badRow},
        {{{1, 1500}, {2, -1500}, {3, 1500}}, badRow},
        {{{1, 1500}, {2, NAN}, {3, 1500}}, badRow},
        {{{1, 1500}, {2, INFINITY}, {3, 1500}}, badRow},
        // The way back up takes exactly the time of the way down: no time has passed at 10 m.
        {{{10, 1500}, {20, 3000}, {10, 1500}, {30, 1500}},
         "The depths of the profile do not increase: the average sound velocity cannot be "
         "computed."},
    };
    for (const auto& [list, en] : cases) {
        CastData data = fitted(list);
        data.averageProfile = {{5, 1490}, {6, 1491}};
        data.averageStartDepth = 5.0f;
        data.averageDepthMin = 5, data.averageDepthMax = 6;
        data.averageVelocityMin = 1490, data.averageVelocityMax = 1492;
        const AverageResult r = ComputeAverageVelocity(data, 1.0f);
        EXPECT_FALSE(r.succeeded());
        const auto message = averageMessage(r);
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(message->type, BoxType::WarningOkCancel);
        EXPECT_EQ(message->text.en, en);
        ASSERT_EQ(data.averageProfile.size(), 2u);
        EXPECT_EQ(data.averageProfile[1].averageVelocity, 1491);
        EXPECT_EQ(data.averageStartDepth, 5.0f);
        EXPECT_EQ(std::make_pair(data.averageDepthMin, data.averageDepthMax),
                  std::make_pair(5.0, 6.0));
        EXPECT_EQ(std::make_pair(data.averageVelocityMin, data.averageVelocityMax),
                  std::make_pair(1490.0, 1492.0));
    }
    // Above the start depth such a value does not matter, and depths of zero or above the
    // surface are no reason to refuse.
    CastData data = fitted({{1, 0.0}, {2, 1500}, {3, 1500}});
    EXPECT_EQ(ComputeAverageVelocity(data, 2.0f).status, AverageStatus::Computed);
    data = fitted({{0, 1500}, {-1, 1500}, {2, 1500}});
    EXPECT_EQ(ComputeAverageVelocity(data, -1.0f).status, AverageStatus::Computed);
}

TEST(AverageVelocity, DepthsGoingBackNeverGiveNonFiniteAverages) {
    // An edited profile whose depths go back up can cancel the travel time out.
    const std::vector<std::pair<double, double>> lists[] = {
        {{10, 1500}, {20, 1510}, {10, 1500}, {30, 1500}},
        {{10, 1500}, {20, 1510}, {10, 1500}},
        {{10, 1500}, {10, 1500}, {10, 1500}},
    };
    for (const auto& list : lists) {
        CastData data = fitted(list);
        const AverageResult r = ComputeAverageVelocity(data, 10.0f);
        for (const AveragePoint& a : data.averageProfile) {
            EXPECT_TRUE(std::isfinite(a.averageVelocity));
        }
        EXPECT_TRUE(std::isfinite(r.averageVelocity));
    }
}

}  // namespace
}  // namespace quorvane
