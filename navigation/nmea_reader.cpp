#include "navigation/nmea_reader.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "common/parse_number.h"
#include "postprocess/export/cast_time.h"

namespace quorvane {

namespace {

constexpr int64_t kDayMs = 86400000;

std::vector<std::string_view> split(std::string_view text) {
    std::vector<std::string_view> fields;
    for (;;) {
        const size_t comma = text.find(',');
        fields.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos) {
            return fields;
        }
        text.remove_prefix(comma + 1);
    }
}

std::optional<int> digits(std::string_view text) {
    int value = 0;
    if (text.empty() || std::from_chars(text.data(), text.data() + text.size(), value).ptr !=
                            text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// "hhmmss" or "hhmmss.sss" to milliseconds of the day.
std::optional<int64_t> timeOfDayMs(std::string_view text) {
    if (text.size() < 6) {
        return std::nullopt;
    }
    const auto h = digits(text.substr(0, 2)), m = digits(text.substr(2, 2));
    const std::optional<double> s = parseNumber(text.substr(4));
    if (!h || !m || !s || *h > 23 || *m > 59 || *s < 0.0 || *s >= 61.0 ||
        text.substr(4).find_first_not_of("0123456789.") != std::string_view::npos) {
        return std::nullopt;
    }
    return (int64_t(*h) * 3600 + *m * 60) * 1000 + std::llround(*s * 1000.0);
}

// "ddmm.mmmm" / "dddmm.mmmm" with its hemisphere letter to signed degrees.
std::optional<double> degrees(std::string_view value, std::string_view hemisphere, int degreeDigits,
                              char positive, char negative, double limit) {
    if (value.size() < size_t(degreeDigits) + 2 || hemisphere.size() != 1 ||
        (hemisphere[0] != positive && hemisphere[0] != negative) ||
        value.find_first_not_of("0123456789.") != std::string_view::npos) {
        return std::nullopt;
    }
    const auto whole = digits(value.substr(0, size_t(degreeDigits)));
    const std::optional<double> minutes = parseNumber(value.substr(size_t(degreeDigits)));
    if (!whole || !minutes || *minutes >= 60.0) {
        return std::nullopt;
    }
    const double result = *whole + *minutes / 60.0;
    if (result > limit) {
        return std::nullopt;
    }
    return hemisphere[0] == negative ? -result : result;
}

std::optional<int64_t> dateMs(int day, int month, int year) {
    const CastTime date{year, month, day};
    if (!parseCastTime(castTimeText(date))) {
        return std::nullopt;
    }
    return secondsSinceEpoch(date) * 1000;
}

std::optional<NavFix> refuse(std::string& problem, const char* why) {
    problem = why;
    return std::nullopt;
}

}  // namespace

std::optional<NavFix> NmeaReader::read(std::string_view line, std::string& problem) {
    problem.clear();
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.remove_suffix(1);
    }
    if (line.size() > kNmeaMaximumLine) {
        return refuse(problem, "line too long");
    }
    const size_t star = line.rfind('*');
    if (line.empty() || line[0] != '$' || star == std::string_view::npos ||
        line.size() != star + 3) {
        return refuse(problem, "no $…*hh sentence");
    }
    unsigned expected = 0;
    const char* hex = line.data() + star + 1;
    if (std::from_chars(hex, hex + 2, expected, 16).ptr != hex + 2) {
        return refuse(problem, "no $…*hh sentence");
    }
    unsigned sum = 0;
    for (const char c : line.substr(1, star - 1)) sum ^= static_cast<unsigned char>(c);
    if (sum != expected) {
        return refuse(problem, "bad checksum");
    }
    const std::string_view body = line.substr(1, star - 1);
    const size_t comma = body.find(',');
    const std::string_view address = body.substr(0, comma);
    const std::string_view fields =
        comma == std::string_view::npos ? std::string_view() : body.substr(comma + 1);
    if (address.size() != 5) {
        return std::nullopt;
    }
    const std::string_view type = address.substr(2);
    if (type == "GGA") {
        return gga(address, fields, problem);
    }
    if (type == "RMC") {
        return rmc(address, fields, problem);
    }
    if (type == "ZDA") {
        zda(fields, problem);
    }
    return std::nullopt;
}

std::optional<NavFix> NmeaReader::gga(std::string_view address, std::string_view text,
                                      std::string& problem) {
    const std::vector<std::string_view> f = split(text);
    if (f.size() < 6) {
        return refuse(problem, "GGA too short");
    }
    sawGga_ = true;
    const std::optional<int64_t> time = timeOfDayMs(f[0]);
    const std::optional<double> latitude = degrees(f[1], f[2], 2, 'N', 'S', 90.0);
    const std::optional<double> longitude = degrees(f[3], f[4], 3, 'E', 'W', 180.0);
    const std::optional<int> quality = digits(f[5]);
    if (!time) {
        return refuse(problem, "bad time");
    }
    if (!latitude || !longitude) {
        return refuse(problem, "bad position");
    }
    if (!quality || *quality == 0 || *quality > 9) {
        return refuse(problem, "no fix (quality 0)");
    }
    if (!datedUtcMs_) {
        return std::nullopt;  // no date yet
    }
    // The GGA's day is the last dated one's, or the next when its time of day is far behind.
    int64_t day = *datedUtcMs_ - *datedUtcMs_ % kDayMs;
    if (*time + kDayMs / 2 < *datedUtcMs_ - day) {
        day += kDayMs;
    }
    return NavFix{day + *time, *latitude, *longitude, *quality, std::string(address)};
}

std::optional<NavFix> NmeaReader::rmc(std::string_view address, std::string_view text,
                                      std::string& problem) {
    const std::vector<std::string_view> f = split(text);
    if (f.size() < 9) {
        return refuse(problem, "RMC too short");
    }
    const std::optional<int64_t> time = timeOfDayMs(f[0]);
    // ddmmyy, its length checked before it is cut up.
    const std::string_view ddmmyy = f[8].size() == 6 ? f[8] : "xxxxxx";
    const auto day = digits(ddmmyy.substr(0, 2)), month = digits(ddmmyy.substr(2, 2)),
               year = digits(ddmmyy.substr(4));
    const std::optional<int64_t> date =
        day && month && year ? dateMs(*day, *month, 2000 + *year) : std::nullopt;
    if (!time || !date) {
        return refuse(problem, "bad time");
    }
    datedUtcMs_ = *date + *time;
    if (f[1] != "A") {
        return refuse(problem, "no fix (status V)");
    }
    const std::optional<double> latitude = degrees(f[2], f[3], 2, 'N', 'S', 90.0);
    const std::optional<double> longitude = degrees(f[4], f[5], 3, 'E', 'W', 180.0);
    if (!latitude || !longitude) {
        return refuse(problem, "bad position");
    }
    // The mode of NMEA 2.3 and later: autonomous, differential, RTK, float RTK, estimated.
    int quality = 1;
    if (f.size() > 11 && !f[11].empty()) {
        static constexpr std::pair<char, int> kModes[] = {{'A', 1}, {'D', 2}, {'P', 3}, {'R', 4},
                                                          {'F', 5}, {'E', 6}, {'M', 7}, {'S', 8}};
        quality = 0;
        for (const auto& [mode, value] : kModes) {
            if (f[11][0] == mode)
                quality = value;
        }
        if (quality == 0) {
            return refuse(problem, "no fix (mode N)");
        }
    }
    if (sawGga_) {
        return std::nullopt;
    }
    return NavFix{*date + *time, *latitude, *longitude, quality, std::string(address)};
}

void NmeaReader::zda(std::string_view text, std::string& problem) {
    const std::vector<std::string_view> f = split(text);
    const std::optional<int64_t> time = f.size() >= 4 ? timeOfDayMs(f[0]) : std::nullopt;
    const auto day = f.size() >= 4 ? digits(f[1]) : std::nullopt;
    const auto month = f.size() >= 4 ? digits(f[2]) : std::nullopt;
    const auto year = f.size() >= 4 ? digits(f[3]) : std::nullopt;
    const std::optional<int64_t> date =
        day && month && year ? dateMs(*day, *month, *year) : std::nullopt;
    if (!time || !date) {
        problem = "bad time";
        return;
    }
    datedUtcMs_ = *date + *time;
}

}  // namespace quorvane
