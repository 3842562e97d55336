#include "simulator/cast_generator.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "common/raw_format.h"
#include "postprocess/reduction/gravity.h"
#include "simulator/noise_source.h"
#include "simulator/ocean_model.h"

namespace quorvane::sim {

namespace {

constexpr double kSurfaceSeconds = 5.0;  // logging on deck before the instrument goes in
constexpr double kBottomSeconds = 3.0;   // the winch stops before hauling in
constexpr double kWinchSpeed = 1.0;      // m/s, down and up
// The ship's heave rides on the winch speed; small enough that the cast never reverses.
constexpr double kHeaveFraction = 0.15;
constexpr double kHeavePeriod = 6.0;        // s
constexpr double kUpCastEnd = 0.5;          // m: the cable is stopped just below the surface
constexpr double kShallowestBottom = 0.01;  // m, for a maximum depth that is not positive

constexpr double kAtmosphere = 1.013;             // bar
constexpr double kSurfacePressureNoise = 0.0005;  // bar; stays far below the 1.2 bar limit
constexpr double kDepthNoise = 0.003;             // m, the pressure sensor's jitter
constexpr double kTemperatureNoise = 0.005;       // °C
constexpr double kVelocityNoise = 0.02;           // m/s

// Decorrelates the garbage's randomness from the samples', so that a cast with garbage holds
// exactly the valid records of the same cast without.
constexpr uint64_t kGarbageSeedMix = 0x9E3779B97F4A7C15ull;
constexpr size_t kZeroStretch = 512;  // one transfer block

struct Sample {
    float velocity;
    float temperature;
    float pressure;
};

// True depths of the in-water samples: down at winch speed plus heave, a pause at the bottom,
// back up to just below the surface.
std::vector<double> trajectory(double maxDepth, NoiseSource& noise) {
    const double step = kWinchSpeed / kSampleRateHz;
    const double phase = 2.0 * std::numbers::pi * noise.uniform();
    auto heave = [&](size_t n) {
        const double t = static_cast<double>(n) / kSampleRateHz;
        return 1.0 + kHeaveFraction * std::sin(2.0 * std::numbers::pi * t / kHeavePeriod + phase);
    };
    std::vector<double> depths;
    double depth = 0.0;
    while (depth < maxDepth) {
        depth = std::min(depth + step * heave(depths.size()), maxDepth);
        depths.push_back(depth);
    }
    depths.insert(depths.end(), static_cast<size_t>(kBottomSeconds * kSampleRateHz), maxDepth);
    const double end = std::min(kUpCastEnd, maxDepth / 2.0);
    while (depth > end) {
        depth = std::max(depth - step * heave(depths.size()), end);
        depths.push_back(depth);
    }
    return depths;
}

class CastBuilder {
  public:
    explicit CastBuilder(const CastOptions& options)
        : options_(options),
          noise_(options.seed),
          maxDepth_(options.maxDepth > 0.0 ? std::min(options.maxDepth, kMaxCastDepth)
                                           : kShallowestBottom),
          pressurePerMetre_(effectiveGravity(options.latitude) * effectiveDensity(options.density) /
                            100.0) {}

    std::vector<Sample> build() {
        std::vector<Sample> samples;
        const double surfaceTemperature = ocean_.temperatureAt(0.0);
        for (int n = 0; n < static_cast<int>(kSurfaceSeconds * kSampleRateHz); ++n) {
            const float pressure =
                static_cast<float>(kAtmosphere + noise_.gaussian(kSurfacePressureNoise));
            foldSurface(pressure);
            samples.push_back({0.0f, temperature(surfaceTemperature), pressure});
        }
        surfaceRecords_ = static_cast<int32_t>(samples.size());
        for (const double depth : trajectory(maxDepth_, noise_)) {
            // The sensor reads no deeper than the bottom: the reduction drops depths beyond
            // its limit, and the cast must reach the depth it was asked for.
            const double sensed = std::min(depth + noise_.gaussian(kDepthNoise), maxDepth_);
            const float velocity =
                static_cast<float>(ocean_.soundVelocityAt(depth) + noise_.gaussian(kVelocityNoise));
            samples.push_back(
                {velocity, temperature(ocean_.temperatureAt(depth)), pressureAt(sensed)});
            deepest_ = std::max(deepest_, depthOf(samples.back().pressure));
        }
        return samples;
    }

    int32_t surfaceRecords() const { return surfaceRecords_; }
    double deepest() const { return deepest_; }

  private:
    float temperature(double value) {
        return static_cast<float>(value + noise_.gaussian(kTemperatureNoise));
    }

    // The reader averages the surface records in single precision with a running mean; the
    // same arithmetic here gives the exact reference the reduction subtracts.
    void foldSurface(float pressure) {
        ++surfaceCount_;
        surfaceMean_ = surfaceMean_ + (pressure - surfaceMean_) / static_cast<float>(surfaceCount_);
    }

    double depthOf(float pressure) const {
        return depthFromPressure(pressure, surfaceMean_, options_.latitude, options_.density);
    }

    // Rounding to single precision must not carry the deepest sample past the bottom.
    float pressureAt(double depth) const {
        float pressure = static_cast<float>(surfaceMean_ + depth * pressurePerMetre_);
        while (depthOf(pressure) > maxDepth_) {
            pressure = std::nextafter(pressure, -std::numeric_limits<float>::infinity());
        }
        return pressure;
    }

    const CastOptions& options_;
    NoiseSource noise_;
    OceanModel ocean_;
    double maxDepth_;
    double pressurePerMetre_;  // bar/m, with the gravity and density the reduction uses
    float surfaceMean_ = 0.0f;
    int surfaceCount_ = 0;
    int32_t surfaceRecords_ = 0;
    double deepest_ = 0.0;
};

// Replaces 0xCC wherever 0xDD follows, so that the reader, walking these bytes one at a time,
// meets no record start but the ones placed on purpose.
void clearSyncPairs(uint8_t* bytes, size_t count) {
    for (size_t i = 0; i + 1 < count; ++i) {
        if (bytes[i] == kRecordSync1 && bytes[i + 1] == kRecordSync2) {
            bytes[i] = kRecordSync1 - 1;
        }
    }
}

// A checksum byte that fails for the 36 bytes at `record` and that cannot start a sync pair
// with whatever follows it.
uint8_t wrongChecksum(const uint8_t* record) {
    uint8_t value = recordChecksum(record);
    do {
        ++value;
    } while (value == kRecordSync1 || value == kRecordSync2);
    return value;
}

// A record that lost its checksum, as a storage fault leaves it.
void appendBrokenRecord(std::vector<uint8_t>& out, int32_t number, const Sample& s) {
    RawRecord record = RawRecord::make(number, s.velocity, s.temperature, s.pressure);
    clearSyncPairs(record.bytes.data() + 2, kRawRecordSize - 3);
    record.bytes[35] = wrongChecksum(record.bytes.data());
    out.insert(out.end(), record.bytes.begin(), record.bytes.end());
}

// Noise bytes with one stray sync pair inside; the 36 bytes from the pair always fail their
// checksum, so the reader steps over the pair.
void appendStrayPair(std::vector<uint8_t>& out, NoiseSource& noise) {
    std::vector<uint8_t> block(kRawRecordSize + noise.below(28));
    for (uint8_t& b : block) {
        b = noise.byte();
        if (b == kRecordSync1) {
            b = kRecordSync1 - 1;
        }
    }
    const size_t at = noise.below(block.size() - kRawRecordSize + 1);
    block[at] = kRecordSync1;
    block[at + 1] = kRecordSync2;
    block[at + 35] = wrongChecksum(&block[at]);
    out.insert(out.end(), block.begin(), block.end());
}

enum class Garbage { BrokenRecord, StrayPair, ZeroStretch };

// The pieces of garbage and the sample index each one is put in front of. They go between
// records only, and none can be mistaken for a record or hide the one after it, so every
// valid record stays in the file and the record numbers stay consecutive.
std::vector<std::pair<size_t, Garbage>> garbagePlan(size_t samples, NoiseSource& noise) {
    constexpr Garbage kPieces[] = {Garbage::BrokenRecord, Garbage::StrayPair,
                                   Garbage::BrokenRecord, Garbage::ZeroStretch,
                                   Garbage::StrayPair,    Garbage::BrokenRecord};
    std::vector<std::pair<size_t, Garbage>> plan;
    for (const Garbage piece : kPieces) {
        plan.emplace_back(1 + noise.below(samples - 1), piece);
    }
    std::stable_sort(plan.begin(), plan.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return plan;
}

}  // namespace

GeneratedCast generateCastWithSummary(const CastOptions& options) {
    CastBuilder builder(options);
    const std::vector<Sample> samples = builder.build();

    GeneratedCast cast;
    const RawFileHeader header =
        RawFileHeader::make(options.deviceId, options.density, options.latitude,
                            options.depthInterval, options.firmware);
    cast.bytes.assign(header.bytes.begin(), header.bytes.end());
    cast.bytes.reserve(kRawHeaderSize + samples.size() * kRawRecordSize +
                       (options.garbage ? 2 * kZeroStretch : 0));

    NoiseSource garbageNoise(options.seed ^ kGarbageSeedMix);
    const auto plan = options.garbage ? garbagePlan(samples.size(), garbageNoise)
                                      : std::vector<std::pair<size_t, Garbage>>{};
    auto next = plan.begin();
    for (size_t i = 0; i < samples.size(); ++i) {
        const int32_t number = static_cast<int32_t>(i + 1);
        const Sample& s = samples[i];
        for (; next != plan.end() && next->first == i; ++next) {
            switch (next->second) {
                case Garbage::BrokenRecord:
                    appendBrokenRecord(cast.bytes, number, s);
                    break;
                case Garbage::StrayPair:
                    appendStrayPair(cast.bytes, garbageNoise);
                    break;
                case Garbage::ZeroStretch:
                    cast.bytes.insert(cast.bytes.end(), kZeroStretch, 0);
                    break;
            }
        }
        const RawRecord record = RawRecord::make(number, s.velocity, s.temperature, s.pressure);
        cast.bytes.insert(cast.bytes.end(), record.bytes.begin(), record.bytes.end());
    }
    cast.summary = {static_cast<int32_t>(samples.size()), builder.surfaceRecords(),
                    builder.deepest()};
    return cast;
}

std::vector<uint8_t> generateCast(const CastOptions& options) {
    return generateCastWithSummary(options).bytes;
}

}  // namespace quorvane::sim
