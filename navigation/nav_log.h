#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/file_io.h"
#include "navigation/nmea_reader.h"
#include "postprocess/export/cast_position.h"

namespace quorvane {

// The navigation log: plain text, one fix a line, oldest first,
//   2026-12-07T10:15:00.500Z 22.28550000 114.15770000 1 GPGGA 2026-12-07T10:15:00.531Z
// the navigation's UTC (fixed width, so that the lines sort as text and a file can be searched
// without reading it whole), latitude and longitude in signed degrees, the fix quality, the
// sentence it came from and the PC's clock when it came. Lines starting with '#' are comments;
// a torn last line (a recorder killed mid-write) is passed over.
std::string navLogLine(const NavFix& fix, int64_t pcClockMs);
// "2026-12-07T10:15:00.500Z" of milliseconds since 1970.
std::string utcText(int64_t utcMs);
std::optional<NavFix> readNavLogLine(std::string_view line);

inline constexpr std::string_view kNavLogHeader =
    "# Quorvane navigation log 1: utc latitude longitude quality source pc_clock";

// One log file, searched in place: a lookup reads a few hundred bytes, however long the file.
class NavLogFile {
  public:
    // Opens the file; `problem` says why not.
    NavLogFile(const std::string& utf8Path, std::string& problem);
    bool isOpen() const { return file_ != nullptr; }
    const std::string& path() const { return path_; }

    // The last fix at or before `utcMs` and the first after it, where the file has them.
    std::pair<std::optional<NavFix>, std::optional<NavFix>> around(int64_t utcMs);

  private:
    struct Found {
        NavFix fix;
        int64_t start = 0, end = 0;  // the line's bytes
    };
    // The first fix whose line starts at or after `from` and before `limit`.
    std::optional<Found> firstFixFrom(int64_t from, int64_t limit);

    std::string path_;
    FileHandle file_;
    int64_t size_ = 0;
};

// A cast's position from the navigation: between the two fixes around its UTC time, linearly.
struct NavPosition {
    CastPosition position;
    int64_t gapMs = 0;   // between the two fixes used (0: a fix at that very time)
    std::string source;  // the log it came from
};
enum class NavLookupProblem { None, OutsideLog, GapTooLong };
struct NavLookup {
    std::optional<NavPosition> found;
    NavLookupProblem problem = NavLookupProblem::None;
    int64_t gapMs = 0;  // for GapTooLong: the gap there is
};
inline constexpr int64_t kDefaultMaximumGapMs = 10000;
NavLookup positionFromLogs(std::vector<NavLogFile>& logs, int64_t utcMs,
                           int64_t maximumGapMs = kDefaultMaximumGapMs);

}  // namespace quorvane
