#include "postprocess/export/profile_thinning.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "postprocess/export/profile_writers.h"

namespace quorvane {
namespace {

// The velocity of a thinned profile at a depth, read off its straight pieces.
double velocityAt(const std::vector<ProfilePoint>& thinned, double depth) {
    for (size_t i = 1; i < thinned.size(); ++i) {
        const ProfilePoint& a = thinned[i - 1];
        const ProfilePoint& b = thinned[i];
        if (depth <= b.depth) {
            return a.soundVelocity +
                   (b.soundVelocity - a.soundVelocity) * (depth - a.depth) / (b.depth - a.depth);
        }
    }
    return thinned.back().soundVelocity;
}

// A deep cast on a 0.1 m grid: a thermocline, a sound channel and sensor noise.
std::vector<ProfilePoint> deepCast(size_t count, double noise) {
    std::mt19937 random(11);
    std::normal_distribution<double> jitter(0.0, noise);
    std::vector<ProfilePoint> cast;
    for (size_t i = 0; i < count; ++i) {
        const double depth = 0.5 + 0.1 * double(i);
        const double velocity = 1480.0 + 25.0 * std::exp(-depth / 60.0) +
                                0.017 * depth * std::exp(-depth / 900.0) + jitter(random);
        cast.push_back({depth, velocity, 10.0});
    }
    return cast;
}

TEST(ProfileThinning, AThousandPointsStayWithinTheToleranceOfTheCast) {
    struct Case {
        size_t count;
        double noise;
    };
    // A smooth cast fits at the finest step, a noisy one further up the ladder, a wild one
    // only past its end, where the tolerance doubles.
    for (const Case c : {Case{5000, 0.0}, Case{20000, 0.02}, Case{40000, 0.3}}) {
        const std::vector<ProfilePoint> cast = deepCast(c.count, c.noise);
        const ThinnedProfile thinned = thinToAtMost(cast, 1000);
        ASSERT_LE(thinned.points.size(), 1000u) << c.count;
        EXPECT_GT(thinned.tolerance, 0.0);
        EXPECT_EQ(thinned.points.front().depth, cast.front().depth);
        EXPECT_EQ(thinned.points.back().depth, cast.back().depth);
        double worst = 0.0;
        for (const ProfilePoint& p : cast) {
            worst =
                std::max(worst, std::fabs(velocityAt(thinned.points, p.depth) - p.soundVelocity));
        }
        EXPECT_LE(worst, thinned.tolerance + 1e-9) << c.count;
        // The step before the one taken would not have been enough.
        const double ladder[] = {0.01, 0.03, 0.06, 0.1, 0.5, 1.0, 2.0};
        const auto taken = std::find(std::begin(ladder), std::end(ladder), thinned.tolerance);
        ASSERT_NE(taken, std::end(ladder)) << thinned.tolerance;
        if (taken != std::begin(ladder)) {
            EXPECT_GT(thinProfile(cast, *(taken - 1)).size(), 1000u);
        }
    }
}

TEST(ProfileThinning, ShortProfilesAreLeftWhole) {
    const std::vector<ProfilePoint> cast = deepCast(1000, 0.5);
    const ThinnedProfile thinned = thinToAtMost(cast, 1000);
    EXPECT_EQ(thinned.points.size(), 1000u);
    EXPECT_EQ(thinned.tolerance, 0.0);
}

TEST(SisProfile, StartsAtTheSurfaceReachesFullDepthAndDropsCrowdedPoints) {
    struct Case {
        const char* what;
        std::vector<ProfilePoint> in;
        std::vector<std::pair<double, double>> out;  // depth, velocity
    };
    const Case cases[] = {
        {"extended both ways",
         {{1.5, 1490.0, 9}, {3.0, 1491.0, 9}},
         {{0.0, 1490.0}, {1.5, 1490.0}, {3.0, 1491.0}, {12000.0, 1675.80}}},
        {"already at the surface",
         {{0.0, 1490.0, 9}, {3.0, 1491.0, 9}},
         {{0.0, 1490.0}, {3.0, 1491.0}, {12000.0, 1675.80}}},
        // 0.01 m is too close to the added surface point, 3.015 to 3.0; 3.02 is far enough.
        {"crowded",
         {{0.01, 1490.0, 9}, {3.0, 1491.0, 9}, {3.015, 1492.0, 9}, {3.02, 1493.0, 9}},
         {{0.0, 1490.0}, {3.0, 1491.0}, {3.02, 1493.0}, {12000.0, 1675.80}}},
        {"full depth measured",
         {{0.0, 1490.0, 9}, {12000.0, 1550.0, 2}},
         {{0.0, 1490.0}, {12000.0, 1550.0}}},
    };
    for (const Case& c : cases) {
        const std::vector<ProfilePoint> sis = sisProfile(c.in);
        std::vector<std::pair<double, double>> got;
        for (const ProfilePoint& p : sis) got.push_back({p.depth, p.soundVelocity});
        EXPECT_EQ(got, c.out) << c.what;
    }
}

TEST(SisProfile, ALongCastIsThinnedWithItsExtensionsToAThousandPoints) {
    const std::vector<ProfilePoint> cast = deepCast(30000, 0.0);
    const std::vector<ProfilePoint> sis = sisProfile(cast);
    ASSERT_LE(sis.size(), 1000u);
    EXPECT_EQ(sis.front().depth, 0.0);
    EXPECT_EQ(sis.back().depth, 12000.0);
    for (const ProfilePoint& p : cast) {
        EXPECT_NEAR(velocityAt(sis, p.depth), p.soundVelocity, 0.01) << p.depth;
    }
}

}  // namespace
}  // namespace quorvane
