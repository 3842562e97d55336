#include "postprocess/export/salinity.h"

#include <cmath>
#include <numbers>

namespace quorvane {

namespace {

// Horner's rule over coefficients of rising powers of x.
template <size_t N>
double polynomial(const double (&c)[N], double x) {
    double sum = 0.0;
    for (size_t i = N; i-- > 0;) {
        sum = sum * x + c[i];
    }
    return sum;
}

constexpr double kSalinityLow = 0.0;
constexpr double kSalinityHigh = 50.0;
constexpr double kSpeedTolerance = 0.0005;

}  // namespace

double unescoSoundSpeed(double p, double t, double s) {
    // Pure water, then the salinity terms; each row a polynomial in temperature, the rows a
    // polynomial in pressure.
    static constexpr double c0[] = {1402.388,  5.03830,     -5.81090e-2,
                                    3.3432e-4, -1.47797e-6, 3.1419e-9};
    static constexpr double c1[] = {0.153563, 6.8999e-4, -8.1829e-6, 1.3632e-7, -6.1260e-10};
    static constexpr double c2[] = {3.1260e-5, -1.7111e-6, 2.5986e-8, -2.5353e-10, 1.0415e-12};
    static constexpr double c3[] = {-9.7729e-9, 3.8513e-10, -2.3654e-12};
    static constexpr double a0[] = {1.389, -1.262e-2, 7.166e-5, 2.008e-6, -3.21e-8};
    static constexpr double a1[] = {9.4742e-5, -1.2583e-5, -6.4928e-8, 1.0515e-8, -2.0142e-10};
    static constexpr double a2[] = {-3.9064e-7, 9.1061e-9, -1.6009e-10, 7.994e-12};
    static constexpr double a3[] = {1.100e-10, 6.651e-12, -3.391e-13};
    const double cw = polynomial(c0, t) +
                      p * (polynomial(c1, t) + p * (polynomial(c2, t) + p * polynomial(c3, t)));
    const double a = polynomial(a0, t) +
                     p * (polynomial(a1, t) + p * (polynomial(a2, t) + p * polynomial(a3, t)));
    const double b = -1.922e-2 - 4.42e-5 * t + (7.3637e-5 + 1.7950e-7 * t) * p;
    const double d = 1.727e-3 - 7.9836e-6 * p;
    return cw + a * s + b * s * std::sqrt(s) + d * s * s;
}

double pressureBarAtDepth(double depth, double latitude) {
    const double sinLatitude = std::sin(latitude * std::numbers::pi / 180.0);
    const double g = 9.7803 * (1.0 + 5.3e-3 * sinLatitude * sinLatitude);
    const double h45 =
        depth * (1.00818e-2 + depth * (2.465e-8 + depth * (-1.25e-13 + depth * 2.8e-19)));
    const double k = (g - 2e-5 * depth) / (9.80612 - 2e-5 * depth);
    return 10.0 * h45 * k;  // MPa to bar
}

std::optional<double> salinityFromSoundSpeed(double soundSpeed, double temperature,
                                             double pressureBar) {
    const auto speedAt = [&](double s) { return unescoSoundSpeed(pressureBar, temperature, s); };
    if (!std::isfinite(soundSpeed) || speedAt(kSalinityLow) > soundSpeed + kSpeedTolerance ||
        speedAt(kSalinityHigh) < soundSpeed - kSpeedTolerance) {
        return std::nullopt;
    }
    double low = kSalinityLow, high = kSalinityHigh;
    // Halving 50 forty times leaves an interval far below what 0.0005 m/s needs.
    for (int step = 0; step < 40; ++step) {
        const double middle = (low + high) / 2.0;
        const double speed = speedAt(middle);
        if (std::abs(speed - soundSpeed) <= kSpeedTolerance) {
            return middle;
        }
        (speed > soundSpeed ? high : low) = middle;
    }
    return (low + high) / 2.0;
}

SalinityColumn profileSalinity(std::span<const ProfilePoint> points, double latitude) {
    SalinityColumn column;
    column.values.reserve(points.size());
    for (const ProfilePoint& point : points) {
        const std::optional<double> salinity = salinityFromSoundSpeed(
            point.soundVelocity, point.temperature, pressureBarAtDepth(point.depth, latitude));
        column.values.push_back(salinity.value_or(0.0));
        column.unfitted += salinity ? 0 : 1;
    }
    return column;
}

}  // namespace quorvane
