#pragma once

#include <span>
#include <vector>

#include "postprocess/rawcast/profile_point.h"

namespace quorvane {

// The sound speed (m/s) at a depth, on straight lines between the points (depths rising). Above
// the first point and below the last the end point's speed holds: water the cast did not reach
// is taken as the nearest water it did. An empty profile gives 0.
double speedAtDepth(std::span<const ProfilePoint> profile, double depth);

// A profile as a ray leaving the transducer sees it: nodes from the draft down, depths strictly
// rising, the first speed the profile's at the draft (the launch speed). A cast that starts
// below the draft keeps its first speed up to the draft, and below the last node the last speed
// holds without end, so a ray may be traced past the bottom of the cast: the water between is
// the nearest the cast measured, which beats having no sounding there at all.
struct RayProfile {
    std::vector<double> depths;
    std::vector<double> speeds;
};
// Nothing when the profile is empty.
RayProfile rayProfileFrom(std::span<const ProfilePoint> profile, double draft);

// Where a ray ends: depth below the surface (m), horizontal distance from the transducer (m) and
// the one-way travel time (s) from the transducer.
struct RayEnd {
    double depth = 0.0;
    double across = 0.0;
    double oneWayTime = 0.0;
    // The ray turned back (it met water fast enough to bend it horizontal) before it got as deep
    // or as far in time as asked; the values are those of the turning point. What follows a
    // turn is not traced: a beam bent back up brings no sounding from below to compare.
    bool turned = false;
};

// A ray launched at an angle (degrees from the vertical, below 90) from the first node, traced
// through layers of constant gradient for a one-way travel time.
RayEnd traceForTime(const RayProfile& profile, double launchAngle, double oneWayTime);

// The same ray, traced down to a depth below the surface; a depth at or above the draft is
// reached at once.
RayEnd traceToDepth(const RayProfile& profile, double launchAngle, double depth);

}  // namespace quorvane
