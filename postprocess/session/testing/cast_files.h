#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "common/raw_format.h"
#include "postprocess/reduction/gravity.h"

namespace quorvane::test {

struct Sample {
    double depth, velocity, temperature;
};

// Down to 5 m and up again, a sample per metre: nine rows survive a 0.5 m interval.
inline const std::vector<Sample> kYoYoCast = {
    {1, 1501, 19},     {2, 1502, 18},     {3, 1503, 17},     {4, 1504, 16},    {5, 1505, 15},
    {4, 1504.5, 16.5}, {3, 1503.5, 17.5}, {2, 1502.5, 18.5}, {1, 1501.5, 19.5}};

// The bytes of a raw cast: one surface record at 1.0 bar, then a record per sample whose
// pressure the reduction turns back into the sample's depth.
inline std::vector<uint8_t> RawCastBytes(const std::vector<Sample>& samples,
                                         float depthInterval = 0.5f) {
    const float density = 1.0f, latitude = 30.0f;
    const RawFileHeader header =
        RawFileHeader::make(12345678, density, latitude, depthInterval, "V1.2.0");
    std::vector<uint8_t> bytes(header.bytes.begin(), header.bytes.end());
    const auto append = [&](const RawRecord& r) {
        bytes.insert(bytes.end(), r.bytes.begin(), r.bytes.end());
    };
    append(RawRecord::make(0, 0.0f, 20.0f, 1.0f));
    int32_t number = 1;
    for (const Sample& s : samples) {
        const double pressure =
            1.0 + s.depth * effectiveGravity(latitude) * effectiveDensity(density) / 100.0;
        append(RawRecord::make(number++, float(s.velocity), float(s.temperature), float(pressure)));
    }
    return bytes;
}

template <typename Point>
std::vector<uint8_t> PointFileBytes(const std::vector<Point>& points) {
    std::vector<uint8_t> bytes(points.size() * sizeof(Point));
    if (!points.empty())
        std::memcpy(bytes.data(), points.data(), bytes.size());
    return bytes;
}

}  // namespace quorvane::test
