#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// Where the cast was taken, in signed decimal degrees (north and east positive). The header's
// latitude is the gravity setting of the reduction, not a position.
struct CastPosition {
    double latitude = 0.0;
    double longitude = 0.0;

    bool operator==(const CastPosition&) const = default;
};

// "LAT,LON" as --position takes it.
std::optional<CastPosition> parsePosition(std::string_view text);

// Latitude and longitude from two texts, as the window's dialog has them; nothing unless both
// are numbers within ±90 and ±180.
std::optional<CastPosition> positionOf(std::string_view latitude, std::string_view longitude);

// CARIS's "dd:mm:ss.ss": the sign belongs to the degrees, also when they are 0, and the
// seconds are rounded before the carry, so 59.999" never shows as 60.00.
std::string degreesMinutesSeconds(double degrees);

}  // namespace quorvane
