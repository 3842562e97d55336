#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "simulator/virtual_profiler.h"

namespace quorvane::bench {

// A fresh folder under the temporary directory whose card holds one deep cast (about 190 KB,
// some two seconds on the wire), and the options of a profiler paced at 921600 baud serving it:
// the download benchmarks measure the same transfer.
struct DeepCastCard {
    std::filesystem::path folder;
    std::vector<uint8_t> cast;
    sim::ProfilerOptions options;
};

DeepCastCard makeDeepCastCard(const std::string& folderName);

}  // namespace quorvane::bench
