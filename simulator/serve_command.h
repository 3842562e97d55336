#pragma once

#include "simulator/subcommand.h"

namespace quorvane::sim {

// quorvane-sim serve: the virtual profiler behind a pseudo-terminal until SIGINT/SIGTERM.
int runServeCommand(const std::vector<std::string>& args);

inline constexpr Subcommand kServeCommand{
    "serve",
    "[--storage DIR] [--casts N] [--seed N] [--device-id ID] [--firmware V] [--voltage V] "
    "[--capacity-kb N] [--baud N] [--link PATH] [--delete-ms N] [--clear-ms N] "
    "[--fault RULE]... [--fault-seed N]",
    runServeCommand};

}  // namespace quorvane::sim
