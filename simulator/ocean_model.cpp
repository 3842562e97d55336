#include "simulator/ocean_model.h"

#include <algorithm>
#include <cmath>

namespace quorvane::sim {

// K. V. Mackenzie, "Nine-term equation for sound speed in the oceans", J. Acoust. Soc. Am.
// 70(3), 807-812 (1981):
//   c = 1448.96 + 4.591 T - 5.304e-2 T² + 2.374e-4 T³ + 1.340 (S - 35) + 1.630e-2 D
//       + 1.675e-7 D² - 1.025e-2 T (S - 35) - 7.139e-13 T D³
// valid for 2..30 °C, 25..40 PSU and 0..8000 m.
double mackenzieSoundVelocity(double temperature, double salinity, double depth) {
    const double t = temperature;
    const double s = salinity - 35.0;
    const double d = depth;
    return 1448.96 + 4.591 * t - 5.304e-2 * t * t + 2.374e-4 * t * t * t + 1.340 * s +
           1.630e-2 * d + 1.675e-7 * d * d - 1.025e-2 * t * s - 7.139e-13 * t * d * d * d;
}

double OceanModel::thermoclineFraction(double depth) const {
    const double x =
        std::clamp((depth - mixedLayerDepth) / (thermoclineBottom - mixedLayerDepth), 0.0, 1.0);
    return x * x * (3.0 - 2.0 * x);
}

double OceanModel::temperatureAt(double depth) const {
    if (depth <= thermoclineBottom) {
        return surfaceTemperature +
               (thermoclineBaseTemperature - surfaceTemperature) * thermoclineFraction(depth);
    }
    return deepTemperature + (thermoclineBaseTemperature - deepTemperature) *
                                 std::exp(-(depth - thermoclineBottom) / deepCoolingScale);
}

double OceanModel::salinityAt(double depth) const {
    return surfaceSalinity + (deepSalinity - surfaceSalinity) * thermoclineFraction(depth);
}

double OceanModel::soundVelocityAt(double depth) const {
    return mackenzieSoundVelocity(temperatureAt(depth), salinityAt(depth), depth);
}

}  // namespace quorvane::sim
