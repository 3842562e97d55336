#include "simulator/ocean_model.h"

#include <gtest/gtest.h>

namespace quorvane::sim {
namespace {

// The column's temperatures and velocities are checked through the casts generated from it.
TEST(OceanModel, MackenzieMatchesThePublishedCheckValue) {
    // Mackenzie (1981) gives 1550.744 m/s for 25 °C, 35 PSU, 1000 m.
    EXPECT_NEAR(mackenzieSoundVelocity(25.0, 35.0, 1000.0), 1550.744, 0.0005);
}

}  // namespace
}  // namespace quorvane::sim
