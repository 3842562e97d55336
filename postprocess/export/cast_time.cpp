#include "postprocess/export/cast_time.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <filesystem>

#include "common/file_io.h"
#include "common/parse_number.h"
#include "common/path_names.h"
#include "common/strformat.h"

namespace quorvane {

namespace {

namespace chr = std::chrono;

std::optional<int> digits(std::string_view text, size_t at, size_t count) {
    if (at + count > text.size()) {
        return std::nullopt;
    }
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

chr::year_month_day dateOf(const CastTime& t) {
    return chr::year{t.year} / chr::month{unsigned(t.month)} / chr::day{unsigned(t.day)};
}

std::optional<CastTime> validated(const CastTime& t) {
    // Years 1 to 9998 stay four digits after any UTC offset; the package headers have room for
    // no more.
    if (t.year < 1 || t.year > 9998 || !dateOf(t).ok() || t.hour > 23 || t.minute > 59 ||
        t.second > 59) {
        return std::nullopt;
    }
    return t;
}

// Fields at fixed places; the separators between them are checked by the callers' layouts.
std::optional<CastTime> readFields(std::string_view text, const size_t (&at)[6]) {
    const size_t widths[6] = {4, 2, 2, 2, 2, 2};
    int values[6] = {};
    for (int i = 0; i < 6; ++i) {
        const auto value = digits(text, at[i], widths[i]);
        if (!value) {
            return std::nullopt;
        }
        values[i] = *value;
    }
    return validated({values[0], values[1], values[2], values[3], values[4], values[5]});
}

bool hasAt(std::string_view text, size_t at, char c) {
    return at < text.size() && text[at] == c;
}

}  // namespace

std::optional<CastTime> parseCastTime(std::string_view text) {
    if (text.size() != 19 || !hasAt(text, 4, '-') || !hasAt(text, 7, '-') ||
        !hasAt(text, 10, ' ') || !hasAt(text, 13, ':') || !hasAt(text, 16, ':')) {
        return std::nullopt;
    }
    return readFields(text, {0, 5, 8, 11, 14, 17});
}

std::string castTimeText(const CastTime& t) {
    return strformat("%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                     t.second);
}

std::optional<CastTime> castTimeFromFileName(std::string_view fileName) {
    if (!hasAt(fileName, 4, '-') || !hasAt(fileName, 7, '-') || !hasAt(fileName, 10, '_') ||
        !(hasAt(fileName, 17, '_') || hasAt(fileName, 17, '('))) {
        return std::nullopt;
    }
    return readFields(fileName, {0, 5, 8, 11, 13, 15});
}

std::optional<CastTime> localCastTime(const std::string& utf8Path) {
    if (const auto named = castTimeFromFileName(fileNameOf(utf8Path))) {
        return named;
    }
    std::error_code error;
    const auto modified = std::filesystem::last_write_time(pathFromUtf8(utf8Path), error);
    if (error) {
        return std::nullopt;
    }
    // clock_cast is missing from older standard libraries; both clocks tick in step, so the
    // distance from now carries over to the microsecond.
    const auto sinceNow = modified - std::filesystem::file_time_type::clock::now();
    const std::time_t seconds = chr::system_clock::to_time_t(
        chr::system_clock::now() + chr::duration_cast<chr::system_clock::duration>(sinceNow));
    std::tm local{};
#if defined(_WIN32)
    if (localtime_s(&local, &seconds) != 0) {
        return std::nullopt;
    }
#else
    if (localtime_r(&seconds, &local) == nullptr) {
        return std::nullopt;
    }
#endif
    return validated({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                      local.tm_min, std::min(local.tm_sec, 59)});
}

std::optional<double> parseUtcOffset(std::string_view text) {
    // "+8" as the dialog proposes it and people write it.
    if (text.starts_with('+') && text.size() > 1 && text[1] != '-') {
        text.remove_prefix(1);
    }
    const auto hours = parseNumber(text);
    if (!hours || std::fabs(*hours) > 14.0) {
        return std::nullopt;
    }
    return hours;
}

int64_t secondsSinceEpoch(const CastTime& time) {
    const chr::sys_seconds seconds = chr::sys_days(dateOf(time)) + chr::hours(time.hour) +
                                     chr::minutes(time.minute) + chr::seconds(time.second);
    return seconds.time_since_epoch().count();
}

CastTime castTimeAt(int64_t secondsSinceEpoch) {
    const chr::sys_seconds at{chr::seconds(secondsSinceEpoch)};
    const chr::sys_days day = chr::floor<chr::days>(at);
    const chr::year_month_day date(day);
    const chr::hh_mm_ss<chr::seconds> clock(at - day);
    return {int(date.year()),           int(unsigned(date.month())),  int(unsigned(date.day())),
            int(clock.hours().count()), int(clock.minutes().count()), int(clock.seconds().count())};
}

double pcUtcOffsetHours(const CastTime& local) {
    std::tm fields{};
    fields.tm_year = local.year - 1900;
    fields.tm_mon = local.month - 1;
    fields.tm_mday = local.day;
    fields.tm_hour = local.hour;
    fields.tm_min = local.minute;
    fields.tm_sec = local.second;
    fields.tm_isdst = -1;  // the zone's rules decide, not the caller
    const std::time_t utc = std::mktime(&fields);
    if (utc == std::time_t(-1)) {
        return 0.0;
    }
    // Offsets are whole quarter hours; the rounding hides a second slipped in by a leap table.
    const double seconds = double(secondsSinceEpoch(local) - int64_t(utc));
    return std::round(seconds / 900.0) / 4.0;
}

std::string utcOffsetText(double hours) {
    if (hours == 0.0) {
        return "0";
    }
    std::string text = fixedDecimals(hours, 2);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return (hours > 0 ? "+" : "") + text;
}

CastTime toUtc(const CastTime& local, double utcOffsetHours) {
    return castTimeAt(secondsSinceEpoch(local) - std::llround(utcOffsetHours * 3600.0));
}

int dayOfYear(const CastTime& time) {
    const chr::sys_days first = chr::year{time.year} / chr::January / 1;
    return int((chr::sys_days(dateOf(time)) - first).count()) + 1;
}

}  // namespace quorvane
