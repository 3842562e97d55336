#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "network/datagram_network.h"
#include "postprocess/export/cast_position.h"
#include "postprocess/export/cast_time.h"
#include "postprocess/rawcast/profile_point.h"
#include "send/acquisition_target.h"

namespace quorvane {

// A profile as one package takes it, in one datagram.
struct ProfileDatagram {
    std::string bytes;
    std::vector<ProfilePoint> points;  // the points it holds, for checking the receipt
    size_t salinityUnfitted = 0;       // points sent with salinity 0: none fits them
};

// The fitted profile laid out for the target's package, stamped with the cast's UTC time and,
// when known, its position (empty position fields otherwise).
ProfileDatagram buildProfileDatagram(const AcquisitionTarget& target,
                                     std::span<const ProfilePoint> fitted, const CastTime& utc,
                                     const std::optional<CastPosition>& position);

// The two hex digits after '*' of a Kongsberg text datagram: every character after '$' and
// before '*', XORed.
unsigned kongsbergChecksum(std::string_view between);

}  // namespace quorvane
