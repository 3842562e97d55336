#include "navigation/nav_log.h"

#include <cmath>

#include "common/parse_number.h"
#include "common/strformat.h"
#include "postprocess/export/cast_time.h"

namespace quorvane {

namespace {

constexpr size_t kUtcWidth = 24;  // "2026-12-07T10:15:00.500Z"
// Longer than any line the recorder writes: a line not ended within it is no line of ours.
constexpr size_t kLongestLine = 256;

std::optional<int64_t> readUtc(std::string_view text) {
    if (text.size() != kUtcWidth || text[10] != 'T' || text[19] != '.' || text[23] != 'Z') {
        return std::nullopt;
    }
    std::string plain(text.substr(0, 19));
    plain[10] = ' ';
    const std::optional<CastTime> time = parseCastTime(plain);
    const std::optional<double> ms = parseNumber(text.substr(20, 3));
    if (!time || !ms || text.substr(20, 3).find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return secondsSinceEpoch(*time) * 1000 + int64_t(*ms);
}

}  // namespace

std::string utcText(int64_t utcMs) {
    const int64_t seconds = utcMs >= 0 ? utcMs / 1000 : (utcMs - 999) / 1000;
    const CastTime t = castTimeAt(seconds);
    return strformat("%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", t.year, t.month, t.day, t.hour,
                     t.minute, t.second, int(utcMs - seconds * 1000));
}

std::string navLogLine(const NavFix& fix, int64_t pcClockMs) {
    return utcText(fix.utcMs) + " " + fixedDecimals(fix.latitude, 8) + " " +
           fixedDecimals(fix.longitude, 8) + " " + std::to_string(fix.quality) + " " + fix.source +
           " " + utcText(pcClockMs) + "\n";
}

std::optional<NavFix> readNavLogLine(std::string_view line) {
    std::string_view fields[6];
    for (std::string_view& field : fields) {
        const size_t space = line.find(' ');
        field = line.substr(0, space);
        line = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
    }
    const std::optional<int64_t> utc = readUtc(fields[0]);
    const std::optional<double> latitude = parseNumber(fields[1]);
    const std::optional<double> longitude = parseNumber(fields[2]);
    // A fix's quality is one digit, 1 to 9: 0 is no fix, as in GGA.
    const bool qualityOk = fields[3].size() == 1 && fields[3][0] >= '1' && fields[3][0] <= '9';
    if (!utc || !latitude || !longitude || !qualityOk || std::abs(*latitude) > 90.0 ||
        std::abs(*longitude) > 180.0 || fields[4].empty() || !readUtc(fields[5])) {
        return std::nullopt;
    }
    return NavFix{*utc, *latitude, *longitude, fields[3][0] - '0', std::string(fields[4])};
}

NavLogFile::NavLogFile(const std::string& utf8Path, std::string& problem)
    : path_(utf8Path), file_(openFile(utf8Path, "rb")) {
    if (!file_ || !seekTo(file_.get(), 0, SEEK_END)) {
        problem = utf8Path + ": cannot be read";
        file_.reset();
        return;
    }
    size_ = tellPosition(file_.get());
}

std::optional<NavLogFile::Found> NavLogFile::firstFixFrom(int64_t from, int64_t limit) {
    // Back one byte, so that a line starting exactly at `from` is found: the first line break
    // at or after from - 1 ends the line before it.
    int64_t at = from == 0 ? 0 : from - 1;
    if (!seekTo(file_.get(), at, SEEK_SET)) {
        return std::nullopt;
    }
    std::string line;
    bool skipping = from != 0;
    for (int c; at < size_ && (c = std::fgetc(file_.get())) != EOF;) {
        ++at;
        if (c != '\n') {
            if (!skipping && line.size() < kLongestLine)
                line += char(c);
            continue;
        }
        const int64_t start = at - int64_t(line.size()) - 1;
        if (!skipping) {
            if (start >= limit) {
                return std::nullopt;
            }
            if (const std::optional<NavFix> fix = readNavLogLine(line)) {
                return Found{*fix, start, at};
            }
        }
        skipping = false;
        line.clear();
    }
    return std::nullopt;  // the last line is not finished: torn or being written
}

std::pair<std::optional<NavFix>, std::optional<NavFix>> NavLogFile::around(int64_t utcMs) {
    std::optional<NavFix> before;
    if (!file_) {
        return {};
    }
    // The first line later than utcMs starts in [lo, hi]; lo is a line start.
    int64_t lo = 0, hi = size_;
    for (;;) {
        const int64_t mid = lo + (hi - lo) / 2;
        const std::optional<Found> found = firstFixFrom(mid, hi);
        if (!found) {
            break;  // no line starts in [mid, hi): the rest is read in turn
        }
        if (found->fix.utcMs > utcMs) {
            hi = found->start;
        } else {
            before = found->fix;
            lo = found->end;
        }
    }
    for (std::optional<Found> found; (found = firstFixFrom(lo, size_ + 1));) {
        if (found->fix.utcMs > utcMs) {
            return {before, found->fix};
        }
        before = found->fix;
        lo = found->end;
    }
    return {before, std::nullopt};
}

NavLookup positionFromLogs(std::vector<NavLogFile>& logs, int64_t utcMs, int64_t maximumGapMs) {
    std::optional<NavFix> before, after;
    std::string source;
    for (NavLogFile& log : logs) {
        const auto [b, a] = log.around(utcMs);
        if (b && (!before || b->utcMs > before->utcMs)) {
            before = b;
            source = log.path();
        }
        if (a && (!after || a->utcMs < after->utcMs))
            after = a;
    }
    if (before && before->utcMs == utcMs) {
        return {NavPosition{{before->latitude, before->longitude}, 0, source}};
    }
    if (!before || !after) {
        return {std::nullopt, NavLookupProblem::OutsideLog};
    }
    const int64_t gap = after->utcMs - before->utcMs;
    if (gap > maximumGapMs) {
        return {std::nullopt, NavLookupProblem::GapTooLong, gap};
    }
    const double share = double(utcMs - before->utcMs) / double(gap);
    // Across the date line the short way round.
    double east = after->longitude - before->longitude;
    east += east > 180.0 ? -360.0 : east < -180.0 ? 360.0 : 0.0;
    double longitude = before->longitude + share * east;
    longitude += longitude > 180.0 ? -360.0 : longitude < -180.0 ? 360.0 : 0.0;
    return {NavPosition{
        {before->latitude + share * (after->latitude - before->latitude), longitude}, gap, source}};
}

}  // namespace quorvane
