#include <string>

#include "common/strformat.h"
#include "postprocess/export/profile_thinning.h"
#include "postprocess/export/profile_writers.h"
#include "postprocess/export/salinity.h"

namespace quorvane {

namespace {

// The files of the acquisition packages, composed line by line with the format's line end.
class Lines {
  public:
    explicit Lines(const char* lineEnd) : lineEnd_(lineEnd) {}
    void line(const std::string& text) {
        body_.bytes += text;
        body_.bytes += lineEnd_;
    }
    void row(const std::string& text) {
        line(text);
        ++body_.rows;
    }
    ExportBody done(size_t salinityUnfitted = 0) {
        body_.salinityUnfitted = salinityUnfitted;
        return std::move(body_);
    }

  private:
    const char* lineEnd_;
    ExportBody body_;
};

constexpr const char* kLf = "\n";
constexpr const char* kCrLf = "\r\n";

ExportBody refused(const ExportFormatDescriptor& format, bool time, bool position) {
    ExportBody body;
    body.refusal = ExportFailure{time && position ? ExportProblem::NeedsTimeAndPosition
                                 : time           ? ExportProblem::NeedsTime
                                                  : ExportProblem::NeedsPosition};
    body.refusal->formatName = format.name;
    return body;
}

// Packages that use the position to pick the nearest cast take 0 0 as "none given".
CastPosition positionOrZero(const ExportContext& context) {
    return context.cast.position.value_or(CastPosition{});
}

constexpr double kSisDeepVelocity = 1675.80;
constexpr size_t kSisMaximumPoints = 1000;

}  // namespace

std::vector<ProfilePoint> acquisitionProfile(std::span<const ProfilePoint> points,
                                             const ProfileLayout& layout) {
    std::vector<ProfilePoint> profile;
    if (points.empty()) {
        return profile;
    }
    if (layout.fromSurface && points.front().depth > 0.0) {
        profile.push_back({0.0, points.front().soundVelocity, points.front().temperature});
    }
    // Depths are written with few decimals: closer points would show as one depth twice or as
    // a step the package takes for a wall. A micrometre of slack keeps a grid of the step whole.
    for (const ProfilePoint& point : points) {
        if (profile.empty() || point.depth - profile.back().depth >= layout.minimumStep - 1e-6) {
            profile.push_back(point);
        }
    }
    if (layout.deepPoint && profile.back().depth < kSisMaximumDepth) {
        profile.push_back({kSisMaximumDepth, kSisDeepVelocity, profile.back().temperature});
    }
    return thinToAtMost(profile, kSisMaximumPoints).points;
}

std::vector<ProfilePoint> sisProfile(std::span<const ProfilePoint> points) {
    return acquisitionProfile(points, ProfileLayout{});
}

ExportBody writeKongsbergAsvp(const ExportFormatDescriptor& format,
                              std::span<const ProfilePoint> points, const ExportContext& context) {
    const auto& time = context.cast.time;
    const auto& position = context.cast.position;
    if (!time || !position) {
        return refused(format, !time, !position);
    }
    const std::vector<ProfilePoint> profile = sisProfile(points);
    Lines lines(kLf);
    lines.line(strformat("( SoundVelocity  1.0 0 %04d%02d%02d%02d%02d ", time->year, time->month,
                         time->day, time->hour, time->minute) +
               fixedDecimals(position->latitude, 7) + " " + fixedDecimals(position->longitude, 7) +
               " -1 0 0 Quorvane_" QUORVANE_VERSION " P " + strformat("%04d", int(profile.size())) +
               " )");
    for (const ProfilePoint& point : profile) {
        lines.row(fixedDecimals(point.depth, 2) + " " + fixedDecimals(point.soundVelocity, 2));
    }
    return lines.done();
}

ExportBody writeCarisSvp(const ExportFormatDescriptor& format, std::span<const ProfilePoint> points,
                         const ExportContext& context) {
    const auto& time = context.cast.time;
    if (!time) {
        return refused(format, true, false);
    }
    const CastPosition position = positionOrZero(context);
    Lines lines(kCrLf);
    if (!context.appending) {
        lines.line(std::string(kCarisVersionLine));
        // The full path, as the package's own files have it: readers find sections by the
        // line's "Section" prefix, and a bare name may start with that word.
        lines.line(context.path);
    }
    lines.line(strformat("Section %04d-%03d %02d:%02d:%02d ", time->year, dayOfYear(*time),
                         time->hour, time->minute, time->second) +
               degreesMinutesSeconds(position.latitude) + " " +
               degreesMinutesSeconds(position.longitude));
    for (const ProfilePoint& point : points) {
        lines.row(fixedDecimals(point.depth, 6) + " " + fixedDecimals(point.soundVelocity, 6));
    }
    return lines.done();
}

ExportBody writeHypackTimed(const ExportFormatDescriptor& format,
                            std::span<const ProfilePoint> points, const ExportContext& context) {
    const auto& time = context.cast.time;
    if (!time) {
        return refused(format, true, false);
    }
    const CastPosition position = positionOrZero(context);
    Lines lines(kCrLf);
    lines.line("FTP NEW 3 " + fixedDecimals(position.latitude, 9) + " " +
               fixedDecimals(position.longitude, 9) +
               strformat(" %02d:%02d %02d/%02d/%04d", time->hour, time->minute, time->month,
                         time->day, time->year));
    for (const ProfilePoint& point : points) {
        lines.row(fixedDecimals(point.depth, 2) + " " + fixedDecimals(point.soundVelocity, 2));
    }
    return lines.done();
}

ExportBody writeSonardynePro(const ExportFormatDescriptor& format,
                             std::span<const ProfilePoint> points, const ExportContext& context) {
    const auto& time = context.cast.time;
    if (!time) {
        return refused(format, true, false);
    }
    Lines lines(kLf);
    lines.line(context.cast.name);
    lines.line(strformat("%d/%d/%04d", time->day, time->month, time->year));
    lines.line(strformat("%d:%d:%d", time->hour, time->minute, time->second));
    lines.line(context.cast.deviceId ? strformat("Probe: Quorvane %08d", *context.cast.deviceId)
                                     : std::string("Probe: Quorvane"));
    lines.line("Source: " + context.cast.sourceFile);
    // The instrument measures no salinity; the one its speed and temperature imply.
    const SalinityColumn salinity = profileSalinity(points, positionOrZero(context).latitude);
    for (size_t i = 0; i < points.size(); ++i) {
        const ProfilePoint& point = points[i];
        lines.row(fixedWidth(point.depth, 12, 4) + fixedWidth(point.soundVelocity, 12, 4) +
                  fixedWidth(salinity.values[i], 12, 4) + fixedWidth(point.temperature, 12, 4));
    }
    return lines.done(salinity.unfitted);
}

ExportBody writeUnb(const ExportFormatDescriptor& format, std::span<const ProfilePoint> points,
                    const ExportContext& context) {
    const auto& time = context.cast.time;
    if (!time) {
        return refused(format, true, false);
    }
    const CastPosition position = positionOrZero(context);
    Lines lines(kLf);
    lines.line("2  # version");
    lines.line(strformat("%04d %03d %02d:%02d:%02d  # time of observation", time->year,
                         dayOfYear(*time), time->hour, time->minute, time->second));
    lines.line("0000 000 00:00:00  # time of logging: not logged");
    lines.line(fixedDecimals(position.latitude, 6) + " " + fixedDecimals(position.longitude, 6) +
               "  # position of observation");
    lines.line("0.000000 0.000000  # position of the ship when logged");
    lines.line(strformat("%zu  # observations", points.size()));
    for (int reserved = 1; reserved <= 10; ++reserved) {
        lines.line(strformat("# reserved %d of 10", reserved));
    }
    const SalinityColumn salinity = profileSalinity(points, position.latitude);
    for (size_t i = 0; i < points.size(); ++i) {
        const ProfilePoint& point = points[i];
        lines.row(strformat("%zu ", i + 1) + fixedDecimals(point.depth, 3) + " " +
                  fixedDecimals(point.soundVelocity, 3) + " " +
                  fixedDecimals(point.temperature, 3) + " " + fixedDecimals(salinity.values[i], 3) +
                  " 0.000 0");
    }
    return lines.done(salinity.unfitted);
}

ExportBody writeIxBlue(const ExportFormatDescriptor&, std::span<const ProfilePoint> points,
                       const ExportContext&) {
    Lines lines(kLf);
    for (const ProfilePoint& point : points) {
        lines.row(fixedDecimals(point.depth, 2) + " " + fixedDecimals(point.soundVelocity, 2));
    }
    return lines.done();
}

ExportBody writeHipapUsr(const ExportFormatDescriptor& format, std::span<const ProfilePoint> points,
                         const ExportContext& context) {
    const auto& time = context.cast.time;
    if (!time) {
        return refused(format, true, false);
    }
    Lines lines(kLf);
    lines.line(strformat("SSP Cast on %d/%d/%04d %d:%d:%d,", time->day, time->month, time->year,
                         time->hour, time->minute, time->second));
    for (const ProfilePoint& point : points) {
        lines.row(fixedDecimals(point.depth, 1) + "," + fixedDecimals(point.soundVelocity, 1));
    }
    return lines.done();
}

ExportBody writeCsvMetadata(const ExportFormatDescriptor&, std::span<const ProfilePoint> points,
                            const ExportContext& context) {
    const auto& time = context.cast.time;
    const auto& position = context.cast.position;
    const std::string unknown = "unknown";
    Lines lines(kCrLf);
    lines.line("Date, " +
               (time ? strformat("%04d-%02d-%02d", time->year, time->month, time->day) : unknown));
    lines.line("Time, " + (time
                               ? strformat("%02d:%02d:%02d", time->hour, time->minute, time->second)
                               : unknown));
    lines.line("Latitude, " + (position ? fixedDecimals(position->latitude, 7) : unknown));
    lines.line("Longitude, " + (position ? fixedDecimals(position->longitude, 7) : unknown));
    lines.line("depth, sound speed, temperature");
    for (const ProfilePoint& point : points) {
        lines.row(fixedDecimals(point.depth, 3) + "," + fixedDecimals(point.soundVelocity, 3) +
                  "," + fixedDecimals(point.temperature, 3));
    }
    return lines.done();
}

}  // namespace quorvane
