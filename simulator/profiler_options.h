#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "simulator/device_model.h"
#include "simulator/fault_plan.h"

namespace quorvane::sim {

struct ProfilerOptions {
    DeviceConfig device;
    std::string storageDir;  // empty: a private temporary folder, removed at stop
    int casts = 5;           // generated into a storage that holds none
    uint64_t castSeed = 1;
    int baud = 921600;     // pacing of what the instrument sends; 0: as fast as possible
    std::string linkPath;  // a symbolic link kept pointing at the live port
    std::vector<FaultRule> faults;
    uint64_t faultSeed = 1;
};

// What the profiler has done so far, for tests and the serve command's summary.
struct ProfilerCounters {
    uint64_t commandsSeen = 0;
    uint64_t framesSent = 0;     // data frames, repeats included, spoiled or dropped ones too
    uint64_t repeatsServed = 0;  // answers to "$cmd,send,file,7"
    uint64_t faultsInjected = 0;
    uint64_t bytesSent = 0;
    uint64_t hangups = 0;
};

}  // namespace quorvane::sim
