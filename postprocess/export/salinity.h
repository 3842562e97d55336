#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "postprocess/rawcast/profile_point.h"

namespace quorvane {

// Sea water's sound speed (m/s) by the UNESCO equation (Chen and Millero 1977, with the
// coefficients as Wong and Zhu 1995 restated them for ITS-90): pressure in bar above the
// atmosphere, temperature in °C, practical salinity.
double unescoSoundSpeed(double pressureBar, double temperature, double salinity);

// The pressure (bar above the atmosphere) at a depth (m) at a latitude (degrees), by Leroy and
// Parthiot 1998.
double pressureBarAtDepth(double depth, double latitude);

// The salinity in [0, 50] at which the UNESCO equation gives the measured sound speed, to
// 0.0005 m/s; nothing when no salinity in that range does (a fresh-water reading, a bad point).
// The instrument measures none, and a sonar given 0 computes its absorption for fresh water.
std::optional<double> salinityFromSoundSpeed(double soundSpeed, double temperature,
                                             double pressureBar);

// Every point's salinity, at the latitude of the cast (the pressure hardly depends on it). A
// point no salinity fits gets 0, as files wrote before, and is counted.
struct SalinityColumn {
    std::vector<double> values;
    size_t unfitted = 0;
};
SalinityColumn profileSalinity(std::span<const ProfilePoint> points, double latitude);

}  // namespace quorvane
