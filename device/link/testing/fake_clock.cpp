#include "device/link/testing/fake_clock.h"

#include <chrono>

namespace quorvane {

namespace {

using namespace std::chrono;

int64_t toMs(const LocalDateTime& t) {
    const sys_days day =
        year(t.year) / month(unsigned(t.month)) / std::chrono::day(unsigned(t.day));
    const auto time = hours(t.hour) + minutes(t.minute) + seconds(t.second);
    return duration_cast<milliseconds>(day.time_since_epoch() + time).count();
}

}  // namespace

FakeClock::FakeClock(LocalDateTime start) : localBaseMs_(toMs(start)) {}

int32_t FakeClock::secondsOfDay() {
    const LocalDateTime now = localDateTime();
    return now.hour * 3600 + now.minute * 60 + now.second;
}

int64_t FakeClock::counter() {
    return nowMs_ * (kFrequency / 1000);
}

void FakeClock::sleepMs(int milliseconds) {
    sleeps_.push_back(milliseconds);
    if (milliseconds > 0) {
        advanceMs(milliseconds);
    }
}

LocalDateTime FakeClock::localDateTime() {
    const sys_time<milliseconds> now{milliseconds(localBaseMs_ + nowMs_)};
    const sys_days day = floor<days>(now);
    const year_month_day date{day};
    const hh_mm_ss<milliseconds> time{now - day};
    return {int(date.year()),          int(unsigned(date.month())), int(unsigned(date.day())),
            int(time.hours().count()), int(time.minutes().count()), int(time.seconds().count())};
}

void FakeClock::advanceMs(int64_t milliseconds) {
    nowMs_ += milliseconds;
}

void FakeClock::setLocalTime(const LocalDateTime& now) {
    localBaseMs_ = toMs(now) - nowMs_;
}

}  // namespace quorvane
