#pragma once

namespace quorvane {

// The instrument's degree-to-radian factor: kept short on purpose so that depths match the
// instrument maker's published tables to the last digit.
inline constexpr double kDegreesToRadians = 0.0174532925;

// Normal gravity (m/s²) at a latitude given in radians.
double LocalGravity(double latitudeRadians);

// Depth in metres below the surface for an absolute pressure in bar, given the gravity and
// density in effect.
inline double pressureToDepth(double pressure, double surfacePressure, double gravity,
                              double density) {
    return (pressure - surfacePressure) * 100.0 / gravity / density;
}

// The same with the reduction's fall-backs for an unset latitude or density.
double depthFromPressure(double pressure, double surfacePressure, float latitudeDegrees,
                         float density);

// Gravity and density as the reduction applies them (fall-backs included), for writers that
// must produce pressures the reduction turns back into the intended depths.
double effectiveGravity(float latitudeDegrees);
double effectiveDensity(float density);

}  // namespace quorvane
