#pragma once

#include <ctime>

#include "device/link/clock.h"

namespace quorvane {

// The machine's own clock: local time from the C runtime, the steady clock as the counter.
class SystemClock : public Clock {
  public:
    int32_t secondsOfDay() override;
    int64_t counter() override;
    int64_t counterFrequency() override;
    void sleepMs(int milliseconds) override;
    LocalDateTime localDateTime() override;
};

// Breaks a calendar time down in the local time zone; on failure the components hold the
// failure values of LocalDateTime.
LocalDateTime localDateTimeOf(std::time_t time);

}  // namespace quorvane
