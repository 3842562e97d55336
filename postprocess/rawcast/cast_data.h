#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/raw_format.h"
#include "postprocess/rawcast/profile_point.h"

namespace quorvane {

// The data set of one cast: what every computation, file and export reads or fills.
struct CastData {
    std::vector<RawRecord> rawRecords;
    int32_t rawRecordCount = 0;
    float surfacePressure = 1.0f;

    std::vector<ProfilePoint> rawProfile;
    std::vector<ProfilePoint> downCast;
    std::vector<ProfilePoint> upCast;
    std::vector<ProfilePoint> fittedProfile;
    std::vector<AveragePoint> averageProfile;

    double depthMin = 0.0, depthMax = 0.0;
    double velocityMin = 0.0, velocityMax = 0.0;
    double temperatureMin = 0.0, temperatureMax = 0.0;
    double averageDepthMin = 0.0, averageDepthMax = 0.0;
    double averageVelocityMin = 0.0, averageVelocityMax = 0.0;

    float density = 1.0f;
    float latitude = 30.0f;
    float depthInterval = 0.5f;
    float filterDepth = 0.5f;
    float averageStartDepth = 0.5f;

    // Empties the profiles, as a double-click on another file does before loading it.
    void clearProfiles();
};

// Whether a depth interval may be used: not below 0.1 m, a rule shared by the Reset and the
// export filter. The float is widened and compared with 0.1, so a typed 0.1 (whose
// single-precision value lies just above 0.1) passes; a value that is no number is refused.
bool depthIntervalUsable(float depthInterval);

// Sets the six depth, velocity and temperature ranges to the extremes of `points`; an empty
// list leaves them as they are.
void setProfileRanges(CastData& data, const std::vector<ProfilePoint>& points);

}  // namespace quorvane
