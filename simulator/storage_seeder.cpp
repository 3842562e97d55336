#include "simulator/storage_seeder.h"

#include <cstdlib>
#include <ctime>

#include "common/strformat.h"
#include "simulator/cast_generator.h"
#include "simulator/noise_source.h"

namespace quorvane::sim {

bool seedStorage(const CastStore& store, int casts, const DeviceConfig& device, uint64_t seed) {
    NoiseSource noise(seed);
    const std::time_t today = std::time(nullptr);
    for (int i = 1; i <= casts; ++i) {
        CastOptions options;
        options.seed = seed * 1000 + static_cast<uint64_t>(i);
        options.maxDepth = 15.0 + static_cast<double>(noise.below(2860)) / 10.0;  // 15-300 m
        options.deviceId = static_cast<int32_t>(std::strtol(device.deviceId.c_str(), nullptr, 10));
        options.firmware = device.firmware;
        options.density = device.density;
        options.latitude = device.latitude;
        options.depthInterval = device.depthInterval;
        const std::vector<uint8_t> bytes = generateCast(options);

        std::tm day{};
        const std::time_t castDay = today - std::time_t(casts - i + 1) * 86400;
        localtime_r(&castDay, &day);
        day.tm_hour = 8 + static_cast<int>(noise.below(9));
        day.tm_min = static_cast<int>(noise.below(60));
        day.tm_sec = static_cast<int>(noise.below(60));
        day.tm_isdst = -1;
        const std::string name = strformat("CAST%04d.BIN", i);
        if (!store.write(name, {reinterpret_cast<const char*>(bytes.data()), bytes.size()},
                         std::mktime(&day))) {
            return false;
        }
    }
    return true;
}

}  // namespace quorvane::sim
