#pragma once

#include <cstdint>

namespace quorvane {

// Local calendar time as the device clock is set from it. A component whose break-down fails
// holds 0 (year, month, day) or -1 (hour, minute, second).
struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = -1;
    int minute = -1;
    int second = -1;

    bool operator==(const LocalDateTime&) const = default;
};

// Every time the device side reads: the whole-second time of day that the text-reply silence
// rule uses, a monotonic high-resolution counter for the block rules, sleeping, and the local
// date for the device clock. Tests substitute a clock they advance themselves.
class Clock {
  public:
    virtual ~Clock() = default;

    // hour * 3600 + minute * 60 + second of the local time; a failed component counts as -1.
    virtual int32_t secondsOfDay() = 0;
    virtual int64_t counter() = 0;
    virtual int64_t counterFrequency() = 0;
    // 0 only yields the rest of the time slice.
    virtual void sleepMs(int milliseconds) = 0;
    virtual LocalDateTime localDateTime() = 0;
};

// Whole milliseconds between two counter readings, truncated. Split so that the multiplication
// cannot overflow however long the counter has run; a counter without a usable frequency reads
// as "a very long time", so that waits built on it end instead of hanging.
inline int64_t millisecondsBetween(int64_t fromTicks, int64_t toTicks, int64_t frequency) {
    if (frequency <= 0) {
        return INT64_MAX;
    }
    const int64_t ticks = toTicks - fromTicks;
    return ticks / frequency * 1000 + ticks % frequency * 1000 / frequency;
}

inline int64_t millisecondsSince(Clock& clock, int64_t fromTicks) {
    return millisecondsBetween(fromTicks, clock.counter(), clock.counterFrequency());
}

}  // namespace quorvane
