#include "postprocess/reduction/cast_reduction.h"

#include <algorithm>
#include <cmath>

#include "common/strformat.h"
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
        return checkDepthInterval(data.depthInterval) ? FitStatus::BadDepthInterval
                                                      : FitStatus::DepthRangeTooLarge;
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

std::optional<Message> fitStatusMessage(FitStatus status, const CastData& data) {
    const double shown = data.depthInterval;
    if (status == FitStatus::DepthRangeTooLarge) {
        return Message{
            BoxType::WarningOkCancel,
            {strformat("深度%g m至%g m的范围过大，无法按水深间隔%g m拟合。请检查数据列表中的深度。",
                       data.depthMin, data.depthMax, shown),
             strformat("The depths from %g m to %g m span too much to fit at a depth interval of "
                       "%g m. Please check the depths in the data list.",
                       data.depthMin, data.depthMax, shown)}};
    }
    if (status != FitStatus::BadDepthInterval) {
        return std::nullopt;
    }
    return Message{
        BoxType::WarningOkCancel,
        {strformat("水深间隔%g m无法用于拟合。请设置不小于0.1 m的水深间隔，然后点击“重置”。",
                   shown),
         strformat("The depth interval %g m cannot be used for fitting. Please set a depth "
                   "interval of at least 0.1 m and press Reset.",
                   shown)}};
}

}  // namespace quorvane
