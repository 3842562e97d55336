#include "postprocess/compare/ray_trace.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

namespace quorvane {

namespace {

// Snell's law keeps sin γ / c along the ray; every layer below works from that parameter and
// the cosine, never from the angle itself.
struct Launch {
    double p = 0.0;
    double cos = 1.0;
};

Launch launchAt(double angle, double speed) {
    const double radians = angle * std::numbers::pi / 180.0;
    return {std::sin(radians) / speed, std::cos(radians)};
}

// Never below 0: at the turning depth p·c is 1 only to rounding.
double cosAt(double p, double speed) {
    const double sine = p * speed;
    return std::sqrt(std::max(0.0, 1.0 - sine * sine));
}

struct Step {
    double time = 0.0;
    double across = 0.0;
};

// One layer crossed from speed c1 (cosine cos1) to c2 (cos2) over a thickness dz. The circular
// arc's t = ln(tan(γ₂/2)/tan(γ₁/2))/g and x = R(cos γ₁ − cos γ₂) with R = c/(g sin γ) are here
// rewritten with tan(γ/2) = sin γ/(1 + cos γ) and c₂cos γ₁ − c₁cos γ₂ = (c₂² − c₁²)/(c₂cos γ₁ +
// c₁cos γ₂), so that neither the gradient nor sin γ divides: the same lines give the straight
// ray of a layer without gradient and the vertical ray, where the textbook forms are 0/0, and
// they cost a square root and a logarithm instead of an arcsine and two tangents.
Step crossLayer(double p, double c1, double cos1, double c2, double cos2, double dz) {
    const double k = 1.0 + (c1 + c2) / (c2 * cos1 + c1 * cos2);
    const double scale = k / (c1 * (1.0 + cos2));
    const double u = (c2 - c1) * scale;
    // ln(1 + u)/u, which tends to 1 as the gradient vanishes.
    const double logRatio = u == 0.0 ? 1.0 : std::log1p(u) / u;
    return {dz * scale * logRatio, p * (c1 + c2) * dz / (cos1 + cos2)};
}

// The layer from depth z1 (speed c1) to z2 (speed c2), as far as a ray of parameter p gets into
// it: to z2, or to the depth where the speed reaches 1/p and the ray lies horizontal.
struct Layer {
    double z1 = 0.0, c1 = 0.0, z2 = 0.0, c2 = 0.0;
    double speedAt(double z) const { return z2 == z1 ? c1 : c1 + (c2 - c1) * (z - z1) / (z2 - z1); }
};

bool turnsIn(const Layer& layer, double p) {
    return p * layer.c2 >= 1.0;
}

// The part of the layer the ray enters: all of it, or down to where it turns.
Layer reachable(Layer layer, double p) {
    if (!turnsIn(layer, p)) {
        return layer;
    }
    layer.z2 = layer.z1 + (1.0 / p - layer.c1) / (layer.c2 - layer.c1) * (layer.z2 - layer.z1);
    layer.c2 = 1.0 / p;
    return layer;
}

// The depth within a layer that the ray reaches after a time shorter than the layer takes:
// Newton on the layer's own time formula (its slope is 1/(c cos γ)), kept inside a shrinking
// bracket, so that a trace for a time and a trace to a depth agree to the nanometre.
double depthAfter(const Layer& layer, double p, double cos1, double time) {
    // No water in the layer is faster than its faster end, which bounds the depth reached.
    double low = layer.z1;
    double high = std::min(layer.z2, layer.z1 + time * std::max(layer.c1, layer.c2));
    double z = std::clamp(layer.z1 + time * layer.c1 * cos1, low, high);
    for (int iteration = 0; iteration < 100; ++iteration) {
        const double c = layer.speedAt(z);
        const double cosine = cosAt(p, c);
        const double excess = crossLayer(p, layer.c1, cos1, c, cosine, z - layer.z1).time - time;
        // 1e-13 s is a tenth of a nanometre of travel, and far above the rounding of the times.
        if (std::abs(excess) < 1e-13) {
            return z;
        }
        (excess > 0.0 ? high : low) = z;
        double next = z - excess * c * cosine;
        // Where the ray lies nearly horizontal the slope is steep and Newton stalls: halve.
        if (!(next > low && next < high)) {
            next = (low + high) / 2.0;
        }
        if (next == z) {
            break;
        }
        z = next;
    }
    return z;
}

// Follows the ray layer by layer until `stop`, shown each layer with the step across the whole
// of it, names the depth in it where the ray ends; the last node's speed goes on below it as a
// layer of its own, deep enough for any end.
template <typename Stop>
RayEnd trace(const RayProfile& profile, double launchAngle, Stop stop) {
    if (profile.depths.empty()) {
        return {};
    }
    const Launch launch = launchAt(launchAngle, profile.speeds.front());
    const double p = launch.p;
    double cos1 = launch.cos;
    RayEnd end{profile.depths.front(), 0.0, 0.0, false};
    const size_t nodes = profile.depths.size();
    for (size_t i = 0;; ++i) {
        Layer layer{profile.depths[i], profile.speeds[i], std::numeric_limits<double>::max(),
                    profile.speeds[i]};
        if (i + 1 < nodes) {
            layer.z2 = profile.depths[i + 1];
            layer.c2 = profile.speeds[i + 1];
        }
        const Layer entered = reachable(layer, p);
        const bool turns = turnsIn(layer, p);
        const double cos2 = turns ? 0.0 : cosAt(p, entered.c2);
        const Step whole =
            crossLayer(p, entered.c1, cos1, entered.c2, cos2, entered.z2 - entered.z1);
        if (const std::optional<double> bottom = stop(entered, p, cos1, end, whole)) {
            const double c = entered.speedAt(*bottom);
            const Step step = crossLayer(p, entered.c1, cos1, c, cosAt(p, c), *bottom - entered.z1);
            return {*bottom, end.across + step.across, end.oneWayTime + step.time, false};
        }
        end = {entered.z2, end.across + whole.across, end.oneWayTime + whole.time, turns};
        if (turns) {
            return end;
        }
        cos1 = cos2;
    }
}

}  // namespace

double speedAtDepth(std::span<const ProfilePoint> profile, double depth) {
    if (profile.empty()) {
        return 0.0;
    }
    const auto below =
        std::upper_bound(profile.begin(), profile.end(), depth,
                         [](double z, const ProfilePoint& point) { return z < point.depth; });
    if (below == profile.begin()) {
        return profile.front().soundVelocity;
    }
    if (below == profile.end()) {
        return profile.back().soundVelocity;
    }
    const ProfilePoint& above = *(below - 1);
    const double span = below->depth - above.depth;
    return above.soundVelocity +
           (below->soundVelocity - above.soundVelocity) * (depth - above.depth) / span;
}

RayProfile rayProfileFrom(std::span<const ProfilePoint> profile, double draft) {
    RayProfile rays;
    if (profile.empty()) {
        return rays;
    }
    rays.depths.reserve(profile.size() + 1);
    rays.speeds.reserve(profile.size() + 1);
    rays.depths.push_back(draft);
    rays.speeds.push_back(speedAtDepth(profile, draft));
    for (const ProfilePoint& point : profile) {
        if (point.depth > rays.depths.back()) {
            rays.depths.push_back(point.depth);
            rays.speeds.push_back(point.soundVelocity);
        }
    }
    return rays;
}

RayEnd traceForTime(const RayProfile& profile, double launchAngle, double oneWayTime) {
    return trace(profile, launchAngle,
                 [&](const Layer& layer, double p, double cos1, const RayEnd& top,
                     const Step& whole) -> std::optional<double> {
                     const double left = oneWayTime - top.oneWayTime;
                     if (left <= 0.0) {
                         return layer.z1;
                     }
                     if (left >= whole.time) {
                         return std::nullopt;
                     }
                     return depthAfter(layer, p, cos1, left);
                 });
}

RayEnd traceToDepth(const RayProfile& profile, double launchAngle, double depth) {
    return trace(profile, launchAngle,
                 [&](const Layer& layer, double, double, const RayEnd&,
                     const Step&) -> std::optional<double> {
                     if (depth <= layer.z1) {
                         return layer.z1;
                     }
                     return depth < layer.z2 ? std::optional<double>(depth) : std::nullopt;
                 });
}

}  // namespace quorvane
