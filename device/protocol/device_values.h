#pragma once

#include <string>

namespace quorvane {

// What the window keeps of the device between exchanges; the readers store into it.
struct DeviceValues {
    double density = 1.0;        // g/cm3
    double latitude = 30.0;      // degrees
    double depthInterval = 0.5;  // metres
    double freeMemory = 0.0;     // KB
    double usedMemory = 0.0;     // KB
    double totalMemory = 0.0;    // KB
    std::string deviceId;
    std::string firmwareVersion;
};

}  // namespace quorvane
