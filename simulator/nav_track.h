#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "postprocess/export/cast_position.h"

namespace quorvane::sim {

// What the simulated navigation does wrong, every tenth epoch, when asked to.
enum class NavFault { None, Checksum, Position999, QualityZero, Gap, Garbage };
std::optional<NavFault> navFaultNamed(std::string_view name);

struct NavTrackOptions {
    CastPosition start{22.28550, 114.15770};
    double speedKnots = 10.0;
    double trackDegrees = 45.0;  // true course
    double rateHz = 1.0;
    int64_t startUtcMs = 0;
    NavFault fault = NavFault::None;
    std::string talker = "GP";
};

// A ship on a steady course, and the NMEA sentences its navigation sends: GGA and RMC every
// epoch, ZDA once a second.
class NavTrack {
  public:
    explicit NavTrack(const NavTrackOptions& options) : options_(options) {}

    int64_t epochUtcMs(int epoch) const;
    // Where the ship is at a time (on a rhumb line from the start).
    CastPosition positionAt(int64_t utcMs) const;
    // The lines of one epoch, CR LF ended; none for a gap.
    std::vector<std::string> sentences(int epoch) const;

  private:
    NavTrackOptions options_;
};

}  // namespace quorvane::sim
