#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "postprocess/rawcast/profile_point.h"

namespace quorvane {

// The points of a profile that keep every left-out point's sound velocity within `tolerance`
// (m/s) of the straight line between its kept neighbours, against depth (Douglas–Peucker).
// The first and the last point always stay. Depths must not decrease.
std::vector<ProfilePoint> thinProfile(std::span<const ProfilePoint> points, double tolerance);

struct ThinnedProfile {
    std::vector<ProfilePoint> points;
    double tolerance = 0.0;  // the one that was needed; 0 when nothing had to go
};

// At most `maxPoints` points with the smallest tolerance of a fixed ladder that gets there
// (0.01, 0.03, 0.06, 0.1 and 0.5 m/s, then doubling, so that even a wild profile fits).
ThinnedProfile thinToAtMost(std::span<const ProfilePoint> points, size_t maxPoints);

}  // namespace quorvane
