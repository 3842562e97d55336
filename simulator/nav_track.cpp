#include "simulator/nav_track.h"

#include <cmath>
#include <numbers>
#include <utility>

#include "common/strformat.h"
#include "postprocess/export/cast_time.h"

namespace quorvane::sim {

namespace {

constexpr double kMetresPerNauticalMile = 1852.0;
constexpr double kEarthRadius = 6371000.0;
constexpr double kRadians = std::numbers::pi / 180.0;

std::string withChecksum(const std::string& body, bool spoil) {
    unsigned sum = 0;
    for (const char c : body) sum ^= static_cast<unsigned char>(c);
    return "$" + body + strformat("*%02X\r\n", (sum ^ (spoil ? 0x5a : 0)) & 0xff);
}

// "ddmm.mmmmm,N" / "dddmm.mmmmm,E": five decimals of a minute, about 2 cm.
std::string nmeaAngle(double value, int degreeDigits, char positive, char negative) {
    const long long units = std::llround(std::abs(value) * 60.0 * 100000.0);
    return strformat("%0*lld%02lld.%05lld,%c", degreeDigits, units / 6000000,
                     units % 6000000 / 100000, units % 100000, value < 0 ? negative : positive);
}

}  // namespace

std::optional<NavFault> navFaultNamed(std::string_view name) {
    static constexpr std::pair<std::string_view, NavFault> kNames[] = {
        {"none", NavFault::None},       {"checksum", NavFault::Checksum},
        {"999", NavFault::Position999}, {"quality0", NavFault::QualityZero},
        {"gap", NavFault::Gap},         {"garbage", NavFault::Garbage}};
    for (const auto& [text, fault] : kNames) {
        if (text == name)
            return fault;
    }
    return std::nullopt;
}

int64_t NavTrack::epochUtcMs(int epoch) const {
    return options_.startUtcMs + std::llround(epoch * 1000.0 / options_.rateHz);
}

CastPosition NavTrack::positionAt(int64_t utcMs) const {
    const double metres = options_.speedKnots * kMetresPerNauticalMile / 3600.0 *
                          double(utcMs - options_.startUtcMs) / 1000.0;
    const double north = metres * std::cos(options_.trackDegrees * kRadians);
    const double east = metres * std::sin(options_.trackDegrees * kRadians);
    const double latitude = options_.start.latitude + north / kEarthRadius / kRadians;
    const double middle = (options_.start.latitude + latitude) / 2.0 * kRadians;
    return {latitude,
            options_.start.longitude + east / (kEarthRadius * std::cos(middle)) / kRadians};
}

std::vector<std::string> NavTrack::sentences(int epoch) const {
    const bool faulty = options_.fault != NavFault::None && epoch % 10 == 9;
    if (faulty && options_.fault == NavFault::Gap) {
        return {};
    }
    const int64_t utcMs = epochUtcMs(epoch);
    const int64_t seconds = utcMs / 1000;
    const CastTime t = castTimeAt(seconds);
    const std::string clock =
        strformat("%02d%02d%02d.%02d", t.hour, t.minute, t.second, int(utcMs % 1000 / 10));
    const CastPosition at = positionAt(utcMs);
    std::string position =
        nmeaAngle(at.latitude, 2, 'N', 'S') + "," + nmeaAngle(at.longitude, 3, 'E', 'W');
    if (faulty && options_.fault == NavFault::Position999) {
        position = "9999.00000,N,99999.00000,E";
    }
    const char* quality = faulty && options_.fault == NavFault::QualityZero ? "0" : "1";
    const bool spoil = faulty && options_.fault == NavFault::Checksum;
    const std::string& talker = options_.talker;
    std::vector<std::string> lines;
    if (faulty && options_.fault == NavFault::Garbage) {
        lines.push_back("\x01\x02$GPGGA,garbage,,,*7\r\n");
    }
    if (utcMs % 1000 == 0 || options_.rateHz < 1.0) {
        lines.push_back(withChecksum(talker + strformat("ZDA,%s,%02d,%02d,%04d,00,00",
                                                        clock.c_str(), t.day, t.month, t.year),
                                     spoil));
    }
    lines.push_back(withChecksum(
        talker + "GGA," + clock + "," + position + "," + quality + ",10,0.8,12.3,M,17.1,M,,",
        spoil));
    lines.push_back(withChecksum(
        talker + "RMC," + clock + ",A," + position + "," + fixedDecimals(options_.speedKnots, 1) +
            "," + fixedDecimals(options_.trackDegrees, 1) + "," +
            strformat("%02d%02d%02d", t.day, t.month, t.year % 100) + ",,,A",
        spoil));
    return lines;
}

}  // namespace quorvane::sim
