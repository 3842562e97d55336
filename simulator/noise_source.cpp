#include "simulator/noise_source.h"

#include <cmath>
#include <numbers>

namespace quorvane::sim {

double NoiseSource::uniform() {
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

double NoiseSource::gaussian(double sigma) {
    const double u1 = 1.0 - uniform();  // (0, 1]: the logarithm stays finite
    const double u2 = uniform();
    return sigma * std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
}

}  // namespace quorvane::sim
