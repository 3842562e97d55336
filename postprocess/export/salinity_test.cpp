#include "postprocess/export/salinity.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvane {
namespace {

TEST(SalinityTest, TheEquationMeetsItsPublishedCheckValue) {
    EXPECT_NEAR(unescoSoundSpeed(1000.0, 20.0, 35.0), 1687.198, 0.0005);
    // 1000 m at 45°: 10.106 MPa.
    EXPECT_NEAR(pressureBarAtDepth(1000.0, 45.0), 101.06, 0.02);
    EXPECT_EQ(pressureBarAtDepth(0.0, 30.0), 0.0);
}

TEST(SalinityTest, TheSalinityGivesBackTheSpeedItWasFoundFrom) {
    struct Case {
        double temperature, pressure, salinity;
    };
    for (const Case& c : {Case{20.0, 0.0, 35.0}, Case{2.0, 400.0, 34.7}, Case{28.0, 5.0, 0.4},
                          Case{10.0, 50.0, 49.0}}) {
        const double speed = unescoSoundSpeed(c.pressure, c.temperature, c.salinity);
        const std::optional<double> found =
            salinityFromSoundSpeed(speed, c.temperature, c.pressure);
        ASSERT_TRUE(found) << c.salinity;
        EXPECT_NEAR(unescoSoundSpeed(c.pressure, c.temperature, *found), speed, 0.0005);
        EXPECT_NEAR(*found, c.salinity, 0.002);
    }
}

TEST(SalinityTest, ASpeedNoSalinityFitsGetsNoneAndIsCounted) {
    const double fresh = unescoSoundSpeed(10.0, 15.0, 0.0);
    const double brine = unescoSoundSpeed(10.0, 15.0, 50.0);
    EXPECT_FALSE(salinityFromSoundSpeed(fresh - 1.0, 15.0, 10.0));
    EXPECT_FALSE(salinityFromSoundSpeed(brine + 1.0, 15.0, 10.0));
    EXPECT_FALSE(salinityFromSoundSpeed(std::nan(""), 15.0, 10.0));

    const ProfilePoint points[] = {{0.0, 1530.0, 24.0}, {100.0, 1400.0, 15.0}};
    const SalinityColumn column = profileSalinity(points, 30.0);
    ASSERT_EQ(column.values.size(), 2u);
    EXPECT_NEAR(column.values[0], 35.0, 2.0);
    EXPECT_EQ(column.values[1], 0.0);
    EXPECT_EQ(column.unfitted, 1u);
}

}  // namespace
}  // namespace quorvane
