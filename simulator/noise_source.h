#pragma once

#include <cstdint>
#include <random>

namespace quorvane::sim {

// Seeded randomness that gives the same numbers with every standard library: the engine's
// output is fixed by the standard, the distributions (std::normal_distribution and friends)
// are not, so they are derived here by hand.
class NoiseSource {
  public:
    explicit NoiseSource(uint64_t seed) : engine_(seed) {}

    // Uniform in [0, 1), 53 random bits.
    double uniform();
    // Normal with mean 0 and the given standard deviation (Box–Muller).
    double gaussian(double sigma);
    // Uniform integer in [0, n); n > 0.
    uint64_t below(uint64_t n) { return engine_() % n; }
    uint8_t byte() { return static_cast<uint8_t>(engine_() >> 56); }

  private:
    std::mt19937_64 engine_;
};

}  // namespace quorvane::sim
