#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "soak/soak_plan.h"
#include "soak/watchdog.h"

namespace quorvane::soak {

struct RunResult {
    int files = 0;   // casts on the card
    int intact = 0;  // downloaded byte-identical and reported saved
    bool hung = false;
    // Broken promises: bytes the device never sent, damage not reported, a file claimed saved
    // that is not, anything outside Data/<device id>/, the busy flag or the port left behind.
    std::vector<std::string> violations;
    std::vector<std::string> notes;  // what the faults did, for the log
};

// Puts the plan's casts on a fresh virtual profiler in `folder`, connects, downloads them all
// and checks what arrived.
RunResult runOnce(const SoakPlan& plan, const std::filesystem::path& folder,
                  std::chrono::seconds limit, Watchdog& watchdog);

}  // namespace quorvane::soak
