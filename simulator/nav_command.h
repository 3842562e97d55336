#pragma once

#include "simulator/subcommand.h"

namespace quorvane::sim {

// quorvane-sim nav: a ship's navigation as NMEA over UDP to this computer, in real time.
int runNavCommand(const std::vector<std::string>& args);

inline constexpr Subcommand kNavCommand{
    "nav",
    "--udp PORT [--rate HZ] [--speed KN] [--track DEG] [--start LAT,LON] "
    "[--fault none|checksum|999|quality0|gap|garbage] [--talker XX] [--count N]",
    runNavCommand};

}  // namespace quorvane::sim
