#include "send/profile_datagram.h"

#include <cmath>
#include <cstdlib>

#include "common/strformat.h"
#include "postprocess/export/profile_writers.h"
#include "postprocess/export/salinity.h"

namespace quorvane {

namespace {

ProfileLayout layoutFor(const AcquisitionTarget& target) {
    ProfileLayout layout{.deepPoint = targetKindFacts(target.kind).deepPoint};
    if (target.datagram == DatagramKind::Calc) {
        if (target.kind == TargetKind::Hypack) {
            // HYPACK reads two decimals, and a 0.00 m point has made it misbehave.
            layout.fromSurface = false;
        } else {
            // CALC has one decimal: closer points would repeat a depth.
            layout.minimumStep = 0.1;
        }
    }
    return layout;
}

// "ddmm.mm" or "dddmm.mmmmmmm": degrees and minutes with the minutes rounded to their last
// decimal, carrying into the degrees (59.996' at two decimals is the next degree, not 59.99').
std::string degreesMinutes(double value, int degreeDigits, int minuteDecimals) {
    long long unit = 1;
    for (int i = 0; i < minuteDecimals; ++i) {
        unit *= 10;
    }
    const long long units = std::llround(std::abs(value) * 60.0 * double(unit));
    return strformat("%0*lld%02lld.%0*lld", degreeDigits, units / (60 * unit),
                     units % (60 * unit) / unit, minuteDecimals, units % unit);
}

std::string hemisphere(double value, char positive, char negative) {
    return std::string(1, value < 0.0 ? negative : positive);
}

std::string kongsberg(DatagramKind kind, std::span<const ProfilePoint> points,
                      const std::vector<double>& salinity, const CastTime& utc,
                      const std::optional<CastPosition>& position) {
    std::string text = strformat("$MV%s,00000,%04zu,%02d%02d%02d,%02d,%02d,%04d,",
                                 kind == DatagramKind::S12 ? "S12" : "S01", points.size(), utc.hour,
                                 utc.minute, utc.second, utc.day, utc.month, utc.year);
    for (size_t i = 0; i < points.size(); ++i) {
        text += fixedDecimals(points[i].depth, 2) + "," +
                fixedDecimals(points[i].soundVelocity, 1) + "," +
                fixedDecimals(points[i].temperature, 2) + "," + fixedDecimals(salinity[i], 2) +
                ",\r\n";
    }
    if (position) {
        text += degreesMinutes(position->latitude, 2, 2) + "," +
                hemisphere(position->latitude, 'N', 'S') + "," +
                degreesMinutes(position->longitude, 3, 2) + "," +
                hemisphere(position->longitude, 'E', 'W') + ",";
    } else {
        text += ",,,,";
    }
    text += "0.0,,Source: Quorvane " QUORVANE_VERSION ",";
    text += strformat("*%02x", kongsbergChecksum(std::string_view(text).substr(1)));
    text += "\\\r\n";
    return text;
}

std::string calc(bool hypack, std::span<const ProfilePoint> points, const CastTime& utc,
                 const std::optional<CastPosition>& position) {
    const char* const lineEnd = "\r\n";
    std::string text;
    const auto line = [&](const std::string& content) { text += content + lineEnd; };
    line(strformat("CALC,0001,%02d-%02d-%04d,1,meters", utc.day, utc.month, utc.year));
    line("AML SOUND VELOCITY PROFILER S/N:00000");
    line(strformat("DATE:%02d%03d TIME:%02d:%02d", utc.year % 100, dayOfYear(utc), utc.hour,
                   utc.minute));
    line("DEPTH OFFSET (M):00000.0");
    line("DEPTH (M) VELOCITY (M/S) TEMP (C)");
    for (const ProfilePoint& point : points) {
        line(fixedWidth(point.depth, 7, hypack ? 2 : 1) + " " +
             fixedWidth(point.soundVelocity, 8, 2) + " " + fixedWidth(point.temperature, 7, 3));
    }
    line("0  0  0");
    line("*** NAV ****");
    line("Bottom Depth (m): " + fixedDecimals(points.empty() ? 0.0 : points.back().depth, 2));
    line("Ship's Log (N): 0.0");
    const CastPosition where = position.value_or(CastPosition{});
    line("# LAT ( ddmm.mmmmmmm,N): " + degreesMinutes(where.latitude, 2, 7) + "," +
         hemisphere(where.latitude, 'N', 'S'));
    line("# LON (dddmm.mmmmmmm,E): " + degreesMinutes(where.longitude, 3, 7) + "," +
         hemisphere(where.longitude, 'E', 'W'));
    line(strformat("Time [hh:mm:ss.ss]: %02d:%02d:%02d.00", utc.hour, utc.minute, utc.second));
    line(strformat("Date [dd/mm/yyyy]: %02d/%02d/%04d", utc.day, utc.month, utc.year));
    return text;
}

}  // namespace

unsigned kongsbergChecksum(std::string_view between) {
    unsigned sum = 0;
    for (const char c : between) {
        sum ^= static_cast<unsigned char>(c);
    }
    return sum;
}

ProfileDatagram buildProfileDatagram(const AcquisitionTarget& target,
                                     std::span<const ProfilePoint> fitted, const CastTime& utc,
                                     const std::optional<CastPosition>& position) {
    ProfileDatagram datagram;
    datagram.points = acquisitionProfile(fitted, layoutFor(target));
    if (target.datagram == DatagramKind::Calc) {
        datagram.bytes = calc(target.kind == TargetKind::Hypack, datagram.points, utc, position);
        return datagram;
    }
    // The 12000 m point is SIS's extrapolation, not water anyone measured: it keeps the
    // salinity of the deepest measured point.
    const bool deepPoint = datagram.points.size() > 1 && layoutFor(target).deepPoint &&
                           datagram.points.back().depth == kSisMaximumDepth;
    const std::span<const ProfilePoint> measured =
        std::span(datagram.points).first(datagram.points.size() - (deepPoint ? 1 : 0));
    SalinityColumn salinity = profileSalinity(measured, position ? position->latitude : 0.0);
    if (deepPoint) {
        salinity.values.push_back(salinity.values.back());
    }
    datagram.salinityUnfitted = salinity.unfitted;
    datagram.bytes = kongsberg(target.datagram, datagram.points, salinity.values, utc, position);
    return datagram;
}

}  // namespace quorvane
