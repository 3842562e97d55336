#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvane::sim {

// The deepest cast the post-processing accepts: deeper samples are dropped by its limits.
inline constexpr double kMaxCastDepth = 500.0;
// Samples per second the synthetic instrument logs.
inline constexpr double kSampleRateHz = 8.0;

// What a synthetic cast looks like; defaults give a plausible 100 m coastal cast.
struct CastOptions {
    double maxDepth = 100.0;  // metres reached at the bottom of the cast, in (0, 500]
    uint64_t seed = 1;        // same seed, same bytes
    int32_t deviceId = 12345678;
    std::string firmware = "V1.2.0";
    float density = 1.025f;      // g/cm3, recorded in the header and used for pressure
    float latitude = 30.0f;      // degrees, recorded in the header and used for gravity
    float depthInterval = 0.5f;  // metres, recorded in the header
    bool garbage = false;        // broken records, stray sync bytes and a zero-filled stretch
};

struct CastSummary {
    int32_t records = 0;         // valid records, surface records included
    int32_t surfaceRecords = 0;  // the ones the reader folds into the surface pressure
    double maxDepth = 0.0;       // deepest depth the reduction will compute from the file
};

struct GeneratedCast {
    std::vector<uint8_t> bytes;
    CastSummary summary;
};

// The bytes of a whole raw cast file: 72-byte header, surface records, down-cast, up-cast.
std::vector<uint8_t> generateCast(const CastOptions& options);

// The same bytes together with what they hold.
GeneratedCast generateCastWithSummary(const CastOptions& options);

}  // namespace quorvane::sim
