#include "postprocess/profilefiles/point_ranges.h"

#include <algorithm>

namespace quorvane {

void UpdateFittedRanges(CastData& data) {
    setProfileRanges(data, data.fittedProfile);
}

void UpdateAverageRanges(CastData& data) {
    if (data.averageProfile.empty()) {
        return;
    }
    const AveragePoint& first = data.averageProfile.front();
    data.averageDepthMin = data.averageDepthMax = first.depth;
    data.averageVelocityMin = data.averageVelocityMax = first.averageVelocity;
    for (const AveragePoint& p : data.averageProfile) {
        data.averageDepthMin = std::min(data.averageDepthMin, p.depth);
        data.averageDepthMax = std::max(data.averageDepthMax, p.depth);
        data.averageVelocityMin = std::min(data.averageVelocityMin, p.averageVelocity);
        data.averageVelocityMax = std::max(data.averageVelocityMax, p.averageVelocity);
    }
}

}  // namespace quorvane
