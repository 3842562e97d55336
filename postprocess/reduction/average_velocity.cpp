#include "postprocess/reduction/average_velocity.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "common/strformat.h"

namespace quorvane {

namespace {

struct WorkPoint {
    double depth;
    double velocity;
};

// The average table and its four ranges while they are being built.
struct AverageTable {
    std::vector<AveragePoint> points;
    double depthMin, depthMax, velocityMin, velocityMax;
};

size_t shallowestIndex(const std::vector<ProfilePoint>& fitted) {
    const auto shallowest = std::min_element(
        fitted.begin(), fitted.end(),
        [](const ProfilePoint& a, const ProfilePoint& b) { return a.depth < b.depth; });
    return static_cast<size_t>(shallowest - fitted.begin());
}

// A surface point carrying the shallowest fitted velocity, then the fitted profile as it is.
std::vector<WorkPoint> workList(const std::vector<ProfilePoint>& fitted, size_t shallowest) {
    std::vector<WorkPoint> w;
    w.reserve(fitted.size() + 1);
    w.push_back({0.0, fitted[shallowest].soundVelocity});
    for (const ProfilePoint& p : fitted) {
        w.push_back({p.depth, p.soundVelocity});
    }
    return w;
}

bool usable(const WorkPoint& p) {
    return std::isfinite(p.depth) && std::isfinite(p.velocity) && p.velocity > 0.0;
}

// A loaded or edited profile may hold velocities of zero, of the wrong sign or not numbers:
// travel time through such a layer means nothing, so the average refuses rather than show one.
// Returns the 0-based index into the fitted profile (the data list row) of the first such point.
std::optional<size_t> firstUnusable(const std::vector<WorkPoint>& w, size_t shallowestIndex,
                                    float startDepth) {
    // w[0] stands for the surface and carries the shallowest point's velocity.
    const auto fittedIndex = [&](size_t i) { return i == 0 ? shallowestIndex : i - 1; };
    for (size_t i = 0; i + 1 < w.size(); ++i) {
        if (!(w[i].depth >= startDepth)) {
            continue;
        }
        if (!usable(w[i])) {
            return fittedIndex(i);
        }
        if (!usable(w[i + 1])) {
            return fittedIndex(i + 1);
        }
    }
    return std::nullopt;
}

}  // namespace

float defaultAverageStartDepth(double depthMin) {
    const std::string text = strformat("%.2f", depthMin);
    return static_cast<float>(std::strtod(text.c_str(), nullptr) + 0.01);
}

AverageResult ComputeAverageVelocity(CastData& data, float startDepth) {
    AverageResult result;
    if (data.fittedProfile.empty()) {
        return result;
    }
    const size_t shallowest = shallowestIndex(data.fittedProfile);
    const std::vector<WorkPoint> w = workList(data.fittedProfile, shallowest);
    if (const auto bad = firstUnusable(w, shallowest, startDepth)) {
        result.status = AverageStatus::InvalidRow;
        result.invalidRow = *bad;
        return result;
    }

    // Built aside and taken over only when it can be used: a refused average leaves the table,
    // its ranges and its start depth as they were, as a cancelled one does.
    AverageTable table{{},
                       data.averageDepthMin,
                       data.averageDepthMax,
                       data.averageVelocityMin,
                       data.averageVelocityMax};
    double travelTime = 0.0;
    bool first = true;
    for (size_t i = 0; i + 1 < w.size(); ++i) {
        const WorkPoint& p = w[i];
        const WorkPoint& q = w[i + 1];
        if (!(p.depth >= startDepth)) {
            continue;
        }
        if (first) {
            table.velocityMin = table.velocityMax = p.velocity;
            table.depthMin = table.depthMax = p.depth;
            table.points.push_back({p.depth, p.velocity});
            first = false;
        }
        const double dz = q.depth - p.depth;
        if (std::fabs(dz) <= 1e-7) {
            continue;
        }
        // Velocity linear in depth within the layer: the travel time is the exact integral
        // of dz / v(z).
        const double k = (q.velocity - p.velocity) / dz;
        const double layerTime = (std::fabs(p.velocity) > 1e-7 && std::fabs(k) > 1e-7)
                                     ? std::log(q.velocity / p.velocity) / k
                                     : std::fabs(dz) / p.velocity;
        travelTime += layerTime;
        table.points.push_back({q.depth, (q.depth - table.depthMin) / travelTime});
        table.velocityMin = std::min(table.velocityMin, q.velocity);
        table.velocityMax = std::max(table.velocityMax, q.velocity);
        table.depthMin = std::min(table.depthMin, q.depth);
        table.depthMax = std::max(table.depthMax, q.depth);
    }

    const bool allFinite =
        std::all_of(table.points.begin(), table.points.end(),
                    [](const AveragePoint& a) { return std::isfinite(a.averageVelocity); });
    const float average = static_cast<float>((table.depthMax - table.depthMin) / travelTime);
    if (!allFinite || (std::fabs(travelTime) > 1e-7 && !std::isfinite(average))) {
        result.status = AverageStatus::DepthsDoNotIncrease;
        return result;
    }
    data.averageStartDepth = startDepth;
    data.averageProfile = std::move(table.points);
    data.averageDepthMin = table.depthMin;
    data.averageDepthMax = table.depthMax;
    data.averageVelocityMin = table.velocityMin;
    data.averageVelocityMax = table.velocityMax;
    if (std::fabs(travelTime) > 1e-7) {
        result.status = AverageStatus::Computed;
        result.averageVelocity = average;
        result.maximumDepth = data.averageDepthMax;
    } else {
        result.status = AverageStatus::NoLayers;
    }
    return result;
}

}  // namespace quorvane
