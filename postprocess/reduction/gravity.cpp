#include "postprocess/reduction/gravity.h"

#include <cmath>

namespace quorvane {

double LocalGravity(double latitudeRadians) {
    const double s = std::sin(latitudeRadians);
    const double s2 = std::sin(2.0 * latitudeRadians);
    return 9.780318 * (1.0 + 0.0053024 * s * s - 0.0000059 * s2 * s2);
}

double effectiveGravity(float latitudeDegrees) {
    const double g = LocalGravity(double(latitudeDegrees) * kDegreesToRadians);
    return g < 1e-7 ? 9.8 : g;
}

double effectiveDensity(float density) {
    return density < 1e-7f ? 1.0 : double(density);
}

double depthFromPressure(double pressure, double surfacePressure, float latitudeDegrees,
                         float density) {
    return pressureToDepth(pressure, surfacePressure, effectiveGravity(latitudeDegrees),
                           effectiveDensity(density));
}

}  // namespace quorvane
