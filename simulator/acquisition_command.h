#pragma once

#include "simulator/subcommand.h"

namespace quorvane::sim {

// quorvane-sim acquisition: a Kongsberg acquisition system on the loopback, until SIGINT/SIGTERM
// or --count datagrams.
int runAcquisitionCommand(const std::vector<std::string>& args);

inline constexpr Subcommand kAcquisitionCommand{
    "acquisition",
    "--kind sis4|sis5 [--port N] [--reply-to HOST:PORT] "
    "[--fault none|silent|shifted|late|garbage] [--late-ms N] [--count N]",
    runAcquisitionCommand};

}  // namespace quorvane::sim
