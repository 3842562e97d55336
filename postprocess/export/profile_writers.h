#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "postprocess/export/export_format.h"

namespace quorvane {

// The writers of the format table, one per layout. Each composes the whole file in memory;
// the caller has checked the points and applied the depth filter.

// The three tables: the format's header lines, then its columns with "%.3f" and its separator,
// CR LF line ends.
ExportBody writeTableProfile(const ExportFormatDescriptor& format,
                             std::span<const ProfilePoint> points, const ExportContext& context);

inline constexpr std::string_view kCarisVersionLine = "[SVP_VERSION_2]";

// The acquisition packages' files.
ExportBody writeKongsbergAsvp(const ExportFormatDescriptor& format,
                              std::span<const ProfilePoint> points, const ExportContext& context);
ExportBody writeCarisSvp(const ExportFormatDescriptor& format, std::span<const ProfilePoint> points,
                         const ExportContext& context);
ExportBody writeHypackTimed(const ExportFormatDescriptor& format,
                            std::span<const ProfilePoint> points, const ExportContext& context);
ExportBody writeSonardynePro(const ExportFormatDescriptor& format,
                             std::span<const ProfilePoint> points, const ExportContext& context);
ExportBody writeUnb(const ExportFormatDescriptor& format, std::span<const ProfilePoint> points,
                    const ExportContext& context);
ExportBody writeIxBlue(const ExportFormatDescriptor& format, std::span<const ProfilePoint> points,
                       const ExportContext& context);
ExportBody writeHipapUsr(const ExportFormatDescriptor& format, std::span<const ProfilePoint> points,
                         const ExportContext& context);
ExportBody writeCsvMetadata(const ExportFormatDescriptor& format,
                            std::span<const ProfilePoint> points, const ExportContext& context);

// SIS's deepest point, which it extrapolates the profile to.
inline constexpr double kSisMaximumDepth = 12000.0;

// How an acquisition package wants a profile laid out.
struct ProfileLayout {
    double minimumStep = 0.02;  // m between points: what the package's depth decimals tell apart
    bool fromSurface = true;    // a 0 m point with the first speed when the cast starts deeper
    bool deepPoint = true;      // the 12000 m / 1675.80 m/s point SIS extrapolates with
};

// At most 1000 points laid out as `layout` says.
std::vector<ProfilePoint> acquisitionProfile(std::span<const ProfilePoint> points,
                                             const ProfileLayout& layout);

// The profile Kongsberg SIS is given: at most 1000 points, none within 0.02 m of the one
// before, starting at the surface and reaching 12000 m.
std::vector<ProfilePoint> sisProfile(std::span<const ProfilePoint> points);

}  // namespace quorvane
