#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "postprocess/rawcast/profile_point.h"

namespace quorvane {

// What the library keeps of a fitted profile so that a listing never reads the profile again.
struct CastFacts {
    double maximumDepth = 0.0;                                      // m
    double surfaceSoundVelocity = 0.0;                              // m/s, at the shallowest point
    double harmonicMeanSoundVelocity = 0.0;                         // m/s, weighted by depth
    double minimumSoundVelocity = 0.0, maximumSoundVelocity = 0.0;  // m/s
    double minimumTemperature = 0.0, maximumTemperature = 0.0;      // °C

    bool operator==(const CastFacts&) const = default;
};

// Nothing for an empty profile. The harmonic mean is the depth range over the time sound takes
// to cross it, Σ Δz / Σ (Δz / c), each layer between two points taken at the mean of its two
// speeds: what a ray straight down averages, not the plain mean of the points, which
// overweights the densely sampled parts. Without a depth range (one point, or all at one
// depth) it is the points' plain harmonic mean.
std::optional<CastFacts> castFacts(std::span<const ProfilePoint> profile);

// The profile as the library stores it: the 24-byte records of profile files, each of three
// little-endian doubles, whatever the host's byte order; and back (trailing bytes short of a
// record are dropped).
std::string profileBytes(std::span<const ProfilePoint> profile);
std::vector<ProfilePoint> profileFromBytes(std::string_view bytes);

}  // namespace quorvane
