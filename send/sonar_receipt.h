#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "postprocess/export/cast_time.h"
#include "postprocess/rawcast/profile_point.h"

namespace quorvane {

// The profile a Kongsberg sonar reports it now uses: depth (m) and sound speed (m/s).
struct ReceivedPoint {
    double depth = 0.0;
    double soundSpeed = 0.0;
};
using ReceivedProfile = std::vector<ReceivedPoint>;

// SIS 4's binary "sound speed profile" datagram (0x55, 'U') as it comes over UDP: STX, type,
// model, date, time, counter, serial, the profile's date and time, the point count, the depth
// resolution in cm, the points (depth in resolution units, speed in dm/s), ETX and the sum of
// the bytes between STX and ETX. Every length, count and the checksum are checked: nothing
// for a datagram that is not whole and sound.
std::optional<ReceivedProfile> parseSisProfileDatagram(std::span<const uint8_t> bytes);

// SIS 5's kmall "#SVP" datagram: the 20-byte header (whose first field is the datagram's
// length, repeated in its last four bytes), the common part (its size, the sample count, the
// sensor format, time, latitude, longitude) and 20-byte samples (depth, speed, padding,
// temperature, salinity as floats).
std::optional<ReceivedProfile> parseKmallSvp(std::span<const uint8_t> bytes);

// Whichever of the two the bytes are.
std::optional<ReceivedProfile> parseSonarReceipt(std::span<const uint8_t> bytes);

// The datagrams themselves, as a sonar would send them, for the simulated acquisition system.
std::string sisProfileDatagram(std::span<const ProfilePoint> points, const CastTime& utc);
std::string kmallSvpDatagram(std::span<const ProfilePoint> points, const CastTime& utc);

// Whether the sonar uses the profile that was sent: the received profile, interpolated at
// every sent depth, within 0.2 m/s of the sent speed. A sent depth outside the received
// profile's range cannot be checked and counts against it.
struct ReceiptCheck {
    bool confirmed = false;
    double largestDifference = 0.0;  // m/s
    double atDepth = 0.0;            // m, where it is
};
inline constexpr double kReceiptTolerance = 0.2;
ReceiptCheck checkReceipt(std::span<const ProfilePoint> sent, const ReceivedProfile& received);

}  // namespace quorvane
