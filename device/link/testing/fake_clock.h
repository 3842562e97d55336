#pragma once

#include <cstdint>
#include <vector>

#include "device/link/clock.h"

namespace quorvane {

// A clock that only moves when told to (advanceMs) or when slept on. The counter is monotonic;
// the local time of day can be set anywhere (midnight, a jump) without moving the counter.
class FakeClock : public Clock {
  public:
    explicit FakeClock(LocalDateTime start = {2014, 3, 5, 10, 0, 0});

    int32_t secondsOfDay() override;
    int64_t counter() override;
    int64_t counterFrequency() override { return kFrequency; }
    void sleepMs(int milliseconds) override;
    LocalDateTime localDateTime() override;

    void advanceMs(int64_t milliseconds);
    // Moves the local time to the given moment; the counter keeps its value.
    void setLocalTime(const LocalDateTime& now);

    // Monotonic milliseconds since construction.
    int64_t nowMs() const { return nowMs_; }
    // Every sleepMs request, in order.
    const std::vector<int>& sleeps() const { return sleeps_; }

  private:
    static constexpr int64_t kFrequency = 10'000'000;

    int64_t nowMs_ = 0;
    int64_t localBaseMs_ = 0;  // local time (ms since 1970-01-01 as if it were UTC) at nowMs_ 0
    std::vector<int> sleeps_;
};

}  // namespace quorvane
