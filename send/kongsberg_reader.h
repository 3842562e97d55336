#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "postprocess/rawcast/profile_point.h"
#include "send/acquisition_target.h"

namespace quorvane {

// What a Kongsberg S01 or S12 datagram holds.
struct KongsbergProfile {
    DatagramKind kind = DatagramKind::S01;
    std::vector<ProfilePoint> points;
    std::vector<double> salinity;
};

inline constexpr size_t kKongsbergMaximumPoints = 1000;

// Reads a datagram as a sonar would, strictly: its prefix, the point count against the rows,
// every number, depths rising with no two alike, at most 1000 points, the checksum and the end.
// Nothing, with `problem` saying what is wrong, for anything else.
std::optional<KongsbergProfile> readKongsbergDatagram(std::string_view text, std::string& problem);

}  // namespace quorvane
