#pragma once

#include "simulator/subcommand.h"

namespace quorvane::sim {

// quorvane-sim cast: writes a synthetic raw cast file.
int runCastCommand(const std::vector<std::string>& args);

inline constexpr Subcommand kCastCommand{
    "cast",
    "OUT.bin [--max-depth M] [--seed N] [--device-id N] [--density G] [--latitude DEG] "
    "[--interval M] [--garbage]",
    runCastCommand};

}  // namespace quorvane::sim
