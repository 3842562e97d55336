#include "simulator/device_clock.h"

#include "common/strformat.h"

namespace quorvane::sim {
namespace {

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

std::time_t localTimeOf(int year, int month, int day, int hour, int minute, int second) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;  // whatever daylight saving the date has
    return std::mktime(&local);
}

std::string DeviceClock::fields() const {
    const std::time_t when = now();
    std::tm local{};
    localtime_r(&when, &local);
    return strformat("%d,%d,%d,%d,%d,%d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                     local.tm_hour, local.tm_min, local.tm_sec);
}

bool DeviceClock::set(int year, int month, int day, int hour, int minute, int second) {
    if (year < 2000 || year > 2099 || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59) {
        return false;
    }
    const std::time_t when = localTimeOf(year, month, day, hour, minute, second);
    if (when == static_cast<std::time_t>(-1)) {
        return false;
    }
    offset_ = when - std::time(nullptr);
    return true;
}

}  // namespace quorvane::sim
