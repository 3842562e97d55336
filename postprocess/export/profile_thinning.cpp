#include "postprocess/export/profile_thinning.h"

#include <cmath>
#include <utility>

namespace quorvane {

namespace {

double velocityOnChord(const ProfilePoint& a, const ProfilePoint& b, double depth) {
    const double span = b.depth - a.depth;
    if (span <= 0.0) {
        return a.soundVelocity;
    }
    return a.soundVelocity + (b.soundVelocity - a.soundVelocity) * (depth - a.depth) / span;
}

}  // namespace

std::vector<ProfilePoint> thinProfile(std::span<const ProfilePoint> points, double tolerance) {
    if (points.size() < 3) {
        return {points.begin(), points.end()};
    }
    std::vector<bool> keep(points.size(), false);
    keep.front() = keep.back() = true;
    // An explicit stack: a profile of a deep cast can hold a hundred thousand points, too many
    // nested calls for a thread's stack when the split keeps landing at one end.
    std::vector<std::pair<size_t, size_t>> spans{{0, points.size() - 1}};
    while (!spans.empty()) {
        const auto [first, last] = spans.back();
        spans.pop_back();
        double worst = -1.0;
        size_t at = first;
        for (size_t i = first + 1; i < last; ++i) {
            const double off =
                std::fabs(points[i].soundVelocity -
                          velocityOnChord(points[first], points[last], points[i].depth));
            if (off > worst) {
                worst = off;
                at = i;
            }
        }
        if (worst > tolerance) {
            keep[at] = true;
            spans.push_back({first, at});
            spans.push_back({at, last});
        }
    }
    std::vector<ProfilePoint> kept;
    for (size_t i = 0; i < points.size(); ++i) {
        if (keep[i]) {
            kept.push_back(points[i]);
        }
    }
    return kept;
}

ThinnedProfile thinToAtMost(std::span<const ProfilePoint> points, size_t maxPoints) {
    if (points.size() <= maxPoints) {
        return {{points.begin(), points.end()}, 0.0};
    }
    const double ladder[] = {0.01, 0.03, 0.06, 0.1, 0.5};
    double tolerance = 0.0;
    for (size_t step = 0;; ++step) {
        tolerance = step < std::size(ladder) ? ladder[step] : tolerance * 2.0;
        std::vector<ProfilePoint> thinned = thinProfile(points, tolerance);
        if (thinned.size() <= maxPoints) {
            return {std::move(thinned), tolerance};
        }
    }
}

}  // namespace quorvane
