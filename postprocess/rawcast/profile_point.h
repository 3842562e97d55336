#pragma once

namespace quorvane {

// Depth (m, positive down), sound velocity (m/s), temperature (°C): also the 24-byte record
// of profile files.
struct ProfilePoint {
    double depth = 0.0;
    double soundVelocity = 0.0;
    double temperature = 0.0;
};
static_assert(sizeof(ProfilePoint) == 24);

// Depth (m) and average velocity from the start depth down to it (m/s): the 16-byte record
// of average files.
struct AveragePoint {
    double depth = 0.0;
    double averageVelocity = 0.0;
};
static_assert(sizeof(AveragePoint) == 16);

}  // namespace quorvane
