#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvane::sim {

// What a synthetic cast looks like; defaults give a plausible 100 m coastal cast.
struct CastOptions {
    double maxDepth = 100.0;      // metres reached at the bottom of the cast
    uint64_t seed = 1;            // same seed, same bytes
    int32_t deviceId = 12345678;
    std::string firmware = "V1.2.0";
    float density = 1.025f;       // g/cm3, recorded in the header and used for pressure
    float latitude = 30.0f;       // degrees, recorded in the header and used for gravity
    float depthInterval = 0.5f;   // metres, recorded in the header
    bool garbage = false;         // broken records, stray sync bytes and a zero-filled stretch
};

// The bytes of a whole raw cast file: 72-byte header, surface records, down-cast, up-cast.
std::vector<uint8_t> GenerateCast(const CastOptions& options);

}  // namespace quorvane::sim
