#include "postprocess/export/cast_position.h"

#include <cmath>

#include "common/parse_number.h"
#include "common/strformat.h"

namespace quorvane {

std::optional<CastPosition> parsePosition(std::string_view text) {
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos) {
        return std::nullopt;
    }
    return positionOf(text.substr(0, comma), text.substr(comma + 1));
}

namespace {
std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}
}  // namespace

std::optional<CastPosition> positionOf(std::string_view latitude, std::string_view longitude) {
    // "45.5, -73.25" is how people write a position: blanks around the numbers are no error.
    const auto lat = parseNumber(trimmed(latitude));
    const auto lon = parseNumber(trimmed(longitude));
    if (!lat || !lon || std::fabs(*lat) > 90.0 || std::fabs(*lon) > 180.0) {
        return std::nullopt;
    }
    return CastPosition{*lat, *lon};
}

std::string degreesMinutesSeconds(double degrees) {
    const long long hundredths = std::llround(std::fabs(degrees) * 360000.0);
    const long long whole = hundredths / 360000;
    const long long minutes = hundredths / 6000 % 60;
    const long long secondHundredths = hundredths % 6000;
    return strformat("%s%02lld:%02lld:%02lld.%02lld",
                     std::signbit(degrees) && hundredths ? "-" : "", whole, minutes,
                     secondHundredths / 100, secondHundredths % 100);
}

}  // namespace quorvane
