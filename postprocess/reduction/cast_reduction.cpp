#include "postprocess/reduction/cast_reduction.h"

#include <algorithm>
#include <cmath>

#include "common/strformat.h"
#include "postprocess/reduction/gravity.h"

namespace quorvane {

namespace {

struct Contribution {
    bool present = false;
    double velocity = 0.0;
    double temperature = 0.0;
};

// The line through p and q at depth d, in the instrument software's own arithmetic so that
// fitted values agree to the last bit. Two points at one depth define no line.
Contribution lineAt(const ProfilePoint& p, const ProfilePoint& q, double d) {
    const double dz = q.depth - p.depth;
    if (dz == 0.0) {
        return {};
    }
    const double kv = (q.soundVelocity - p.soundVelocity) / dz;
    const double kt = (q.temperature - p.temperature) / dz;
    return {true, p.soundVelocity - kv * p.depth + kv * d, p.temperature - kt * p.depth + kt * d};
}

// One sorted cast's value at grid depth d: interpolation between the strictly bracketing
// pair, linear extrapolation beyond the ends, nothing at a point's own depth (no pair
// brackets it strictly). A two-point cast is too short to trust and gives nothing; a
// one-point cast gives its values everywhere.
Contribution castAt(const std::vector<ProfilePoint>& c, double d) {
    const size_t m = c.size();
    if (m == 1) {
        return {true, c[0].soundVelocity, c[0].temperature};
    }
    if (m < 3) {
        return {};
    }
    if (d < c[0].depth) {
        return lineAt(c[0], c[1], d);
    }
    if (d > c[m - 1].depth) {
        return lineAt(c[m - 2], c[m - 1], d);
    }
    // In a sorted cast the only candidate pair is the last point shallower than d and the one
    // after it; a binary search finds the same pair a scan from the top would.
    const auto above = std::lower_bound(c.begin(), c.end(), d, [](const ProfilePoint& p, double x) {
        return p.depth < x;
    });
    if (above == c.begin() || above == c.end() || !(above->depth > d)) {
        return {};
    }
    return lineAt(*(above - 1), *above, d);
}

bool shallower(const ProfilePoint& a, const ProfilePoint& b) { return a.depth < b.depth; }

// A stable sort by depth that takes a cast's monotone stretches as ready-made runs: a cast, or
// a series of casts in one file, is a handful of runs down and up, which merge in a few passes.
std::vector<ProfilePoint> sortedByDepth(const std::vector<ProfilePoint>& cast) {
    std::vector<ProfilePoint> sorted = cast;
    std::vector<size_t> runEnds;
    for (size_t i = 0; i < sorted.size();) {
        size_t j = i + 1;
        if (j < sorted.size() && shallower(sorted[j], sorted[i])) {
            // Strictly deeper to shallower: reversing it keeps equal depths in order (there are
            // none inside it).
            while (j < sorted.size() && shallower(sorted[j], sorted[j - 1])) ++j;
            std::reverse(sorted.begin() + std::ptrdiff_t(i), sorted.begin() + std::ptrdiff_t(j));
        } else {
            while (j < sorted.size() && !shallower(sorted[j], sorted[j - 1])) ++j;
        }
        runEnds.push_back(j);
        i = j;
    }
    std::vector<ProfilePoint> buffer(sorted.size());
    while (runEnds.size() > 1) {
        std::vector<size_t> merged;
        size_t begin = 0;
        for (size_t r = 0; r < runEnds.size(); r += 2) {
            const size_t middle = runEnds[r];
            const size_t end = r + 1 < runEnds.size() ? runEnds[r + 1] : middle;
            std::merge(sorted.begin() + std::ptrdiff_t(begin), sorted.begin() + std::ptrdiff_t(middle),
                       sorted.begin() + std::ptrdiff_t(middle), sorted.begin() + std::ptrdiff_t(end),
                       buffer.begin() + std::ptrdiff_t(begin), shallower);
            merged.push_back(end);
            begin = end;
        }
        sorted.swap(buffer);
        runEnds.swap(merged);
    }
    return sorted;
}

}  // namespace

FitStatus ReduceSamples(CastData& data) {
    data.rawProfile.clear();
    // Room for every record up front: pages that are never filled cost nothing, regrowth does.
    data.rawProfile.reserve(data.rawRecords.size());
    data.rawRecordCount = static_cast<int32_t>(
        std::min<size_t>(data.rawRecords.size(), size_t(INT32_MAX)));
    const double gravity = EffectiveGravity(data.latitude);
    const double density = EffectiveDensity(data.density);
    const double surface = data.surfacePressure;
    const double interval = data.depthInterval;
    double last = 0.0;
    bool first = true;
    for (const RawRecord& record : data.rawRecords) {
        const double v = record.soundVelocity();
        if (!(v >= 1300.0 && v <= 1800.0)) {
            continue;
        }
        const double depth = PressureToDepth(record.pressure(), surface, gravity, density);
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
    if (!(interval > 0.0) || !std::isfinite(interval) ||
        (data.depthMax - data.depthMin) / interval + 1.0 > kMaxFitGridPoints) {
        return FitStatus::BadDepthInterval;
    }
    const std::vector<ProfilePoint> down = sortedByDepth(data.downCast);
    const std::vector<ProfilePoint> up = sortedByDepth(data.upCast);
    for (double d = data.depthMin; d <= data.depthMax; d += interval) {
        int n = 0;
        double velocity = 0.0;
        double temperature = 0.0;
        for (const std::vector<ProfilePoint>* cast : {&down, &up}) {
            const Contribution c = castAt(*cast, d);
            if (c.present) {
                velocity += c.velocity;
                temperature += c.temperature;
                ++n;
            }
        }
        if (n > 0) {
            data.fittedProfile.push_back({d, velocity / n, temperature / n});
        }
    }
    return FitStatus::Fitted;
}

void UpdateRawRanges(CastData& data) { SetProfileRanges(data, data.rawProfile); }

std::optional<Message> FitStatusMessage(FitStatus status, float depthInterval) {
    if (status != FitStatus::BadDepthInterval) {
        return std::nullopt;
    }
    const double shown = depthInterval;
    return Message{
        BoxType::WarningOkCancel,
        {strformat("水深间隔%g m无法用于拟合。请设置不小于0.1 m的水深间隔，然后点击“重置”。", shown),
         strformat("The depth interval %g m cannot be used for fitting. Please set a depth "
                   "interval of at least 0.1 m and press Reset.",
                   shown)}};
}

}  // namespace quorvane
