#pragma once

#include "simulator/subcommand.h"

namespace quorvane::sim {

// quorvane-sim nav: a ship's navigation as NMEA, in real time: UDP datagrams to this computer,
// or a serial line (a pseudo-terminal) at --baud, 4800 unless given.
int runNavCommand(const std::vector<std::string>& args);

inline constexpr Subcommand kNavCommand{
    "nav",
    "(--udp PORT | --port LINK [--baud N]) [--rate HZ] [--speed KN] [--track DEG] [--start "
    "LAT,LON] "
    "[--fault none|checksum|999|quality0|gap|garbage] [--talker XX] [--count N]",
    runNavCommand};

}  // namespace quorvane::sim
