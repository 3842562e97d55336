#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvane::soak {

// One cast on the virtual profiler's card.
struct SoakCast {
    std::string name;
    std::string bytes;
};

// What one soak run puts on the card and which faults the profiler shows meanwhile.
struct SoakPlan {
    uint64_t seed = 0;
    std::vector<SoakCast> casts;
    std::vector<std::string> faults;  // switches as quorvane-sim --fault takes them
    // Every fault is one the download's retries undo: each file must arrive byte-identical.
    // Otherwise a file may also differ where the device sent wrong bytes, when it is reported
    // damaged.
    bool recoverable = true;
};

// The same seed always gives the same plan, so a failing run can be replayed alone.
SoakPlan planRun(uint64_t seed);

// The blocks of 512 bytes a file of `size` bytes travels in.
uint64_t blocksOf(uint64_t size);

}  // namespace quorvane::soak
