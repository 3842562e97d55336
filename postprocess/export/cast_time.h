#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// A cast's date and time of day to the second, in whatever zone the caller keeps it: the
// instrument's clock runs on the local time of the PC that set it, the packages want UTC.
struct CastTime {
    int year = 1970, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;

    bool operator==(const CastTime&) const = default;
};

// "YYYY-MM-DD HH:MM:SS", exactly, as --time and the window's cast dialog take it; nothing for a
// date or time of day that does not exist.
std::optional<CastTime> parseCastTime(std::string_view text);

// The same form, for prefilling the window's dialog.
std::string castTimeText(const CastTime& time);

// A downloaded cast is named from the device's list date and time: "YYYY-MM-DD_HHMMSS_…"
// (a "(n)" may follow the time when the name was taken). Nothing for any other name.
std::optional<CastTime> castTimeFromFileName(std::string_view fileName);

// The cast time a file stands for, in local time: its name when it carries one, otherwise its
// modification time; nothing when neither can be read.
std::optional<CastTime> localCastTime(const std::string& utf8Path);

// Hours east of UTC, as --utc-offset and the dialog take them: -14 to +14, fractions allowed
// (India is +5.5, Nepal +5.75).
std::optional<double> parseUtcOffset(std::string_view text);

// This PC's own offset from UTC, in hours, at a local time of its zone (summer time as it was
// or will be then): the offset the instrument's clock was set in, unless the user knows better.
double pcUtcOffsetHours(const CastTime& local);
// "+8", "-3.5", "0": an offset as the dialog and the command line show it.
std::string utcOffsetText(double hours);

// Seconds since 1970-01-01 00:00:00 of a time taken as UTC, and back.
int64_t secondsSinceEpoch(const CastTime& time);
CastTime castTimeAt(int64_t secondsSinceEpoch);

// The UTC time of a local time `utcOffsetHours` east of Greenwich; the date follows across
// midnight, month and year ends.
CastTime toUtc(const CastTime& local, double utcOffsetHours);

// 1 for the 1st of January.
int dayOfYear(const CastTime& time);

}  // namespace quorvane
