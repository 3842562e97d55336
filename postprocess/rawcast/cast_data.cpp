#include "postprocess/rawcast/cast_data.h"

#include <algorithm>

namespace quorvane {

void CastData::clearProfiles() {
    rawProfile.clear();
    downCast.clear();
    upCast.clear();
    fittedProfile.clear();
    averageProfile.clear();
}

bool depthIntervalUsable(float depthInterval) {
    return static_cast<double>(depthInterval) >= 0.1;
}

void setProfileRanges(CastData& data, const std::vector<ProfilePoint>& points) {
    if (points.empty()) {
        return;
    }
    const ProfilePoint& first = points.front();
    data.depthMin = data.depthMax = first.depth;
    data.velocityMin = data.velocityMax = first.soundVelocity;
    data.temperatureMin = data.temperatureMax = first.temperature;
    for (const ProfilePoint& p : points) {
        data.depthMin = std::min(data.depthMin, p.depth);
        data.depthMax = std::max(data.depthMax, p.depth);
        data.velocityMin = std::min(data.velocityMin, p.soundVelocity);
        data.velocityMax = std::max(data.velocityMax, p.soundVelocity);
        data.temperatureMin = std::min(data.temperatureMin, p.temperature);
        data.temperatureMax = std::max(data.temperatureMax, p.temperature);
    }
}

}  // namespace quorvane
