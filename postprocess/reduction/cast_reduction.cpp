#include "postprocess/reduction/cast_reduction.h"

#include <algorithm>
#include <cmath>

#include "postprocess/reduction/cast_on_grid.h"
#include "postprocess/reduction/gravity.h"

namespace quorvane {

FitStatus ReduceSamples(CastData& data) {
    data.rawProfile.clear();
    // Room for every record up front: pages that are never filled cost nothing, regrowth does.
    data.rawProfile.reserve(data.rawRecords.size());
    data.rawRecordCount =
        static_cast<int32_t>(std::min<size_t>(data.rawRecords.size(), size_t(INT32_MAX)));
    const double gravity = effectiveGravity(data.latitude);
    const double density = effectiveDensity(data.density);
    const double surface = data.surfacePressure;
    const double interval = data.depthInterval;
    double last = 0.0;
    bool first = true;
    for (const RawRecord& record : data.rawRecords) {
        const double v = record.soundVelocity();
        if (!(v >= 1300.0 && v <= 1800.0)) {
            continue;
        }
        const double depth = pressureToDepth(record.pressure(), surface, gravity, density);
        if (!(depth >= 1e-7 && depth <= 500.0)) {
            continue;
        }
        const double t = record.temperature();
        if (!(t >= -40.0 && t <= 80.0)) {
            continue;
        }
        if (first) {
            first = false;
        } else if (std::fabs(depth - last) < interval) {
            continue;
        }
        last = depth;
        data.rawProfile.push_back({depth, v, t});
    }
    UpdateRawRanges(data);
    if (data.rawProfile.empty()) {
        // New settings that accept nothing must not leave the casts and fit of the old
        // settings behind, to be charted and exported as if they were current.
        data.downCast.clear();
        data.upCast.clear();
        data.fittedProfile.clear();
    }
    return SplitCasts(data);
}

FitStatus SplitCasts(CastData& data) {
    if (data.rawProfile.empty()) {
        return FitStatus::NothingToFit;
    }
    data.downCast.clear();
    data.upCast.clear();
    data.fittedProfile.clear();
    double lastDepth = 0.0;
    size_t i = 0;
    const std::vector<ProfilePoint>& raw = data.rawProfile;
    while (i < raw.size() && raw[i].depth < data.depthMax) {
        data.downCast.push_back(raw[i]);
        lastDepth = raw[i].depth;
        ++i;
    }
    if (i < raw.size()) {
        if (raw[i].depth - lastDepth > 1e-6) {
            data.downCast.push_back(raw[i]);
        }
        data.upCast.assign(raw.begin() + static_cast<std::ptrdiff_t>(i), raw.end());
    }
    return FitProfile(data);
}

FitStatus FitProfile(CastData& data) {
    data.fittedProfile.clear();
    if (data.downCast.empty() && data.upCast.empty()) {
        return FitStatus::NothingToFit;
    }
    if (!std::isfinite(data.depthMin) || !std::isfinite(data.depthMax)) {
        return FitStatus::NothingToFit;
    }
    const double interval = data.depthInterval;
    // A zero, negative or tiny interval would never finish the grid or exhaust memory.
    if (!(interval > 0.0) || !std::isfinite(interval)) {
        return FitStatus::BadDepthInterval;
    }
    if ((data.depthMax - data.depthMin) / interval + 1.0 > kMaxFitGridPoints) {
        return depthIntervalUsable(data.depthInterval) ? FitStatus::DepthRangeTooLarge
                                                       : FitStatus::BadDepthInterval;
    }
    std::vector<double> grid;
    for (double d = data.depthMin; d <= data.depthMax; d += interval) {
        grid.push_back(d);
        if (d + interval == d) {
            break;  // depths so large that the interval no longer moves the grid on
        }
    }
    const CastOnGrid down(data.downCast, grid);
    const CastOnGrid up(data.upCast, grid);
    for (size_t k = 0; k < grid.size(); ++k) {
        int n = 0;
        double velocity = 0.0;
        double temperature = 0.0;
        for (const CastOnGrid* cast : {&down, &up}) {
            const CastOnGrid::Value v = cast->at(k);
            if (v.present) {
                velocity += v.velocity;
                temperature += v.temperature;
                ++n;
            }
        }
        if (n > 0) {
            data.fittedProfile.push_back({grid[k], velocity / n, temperature / n});
        }
    }
    return FitStatus::Fitted;
}

void UpdateRawRanges(CastData& data) {
    setProfileRanges(data, data.rawProfile);
}

}  // namespace quorvane
