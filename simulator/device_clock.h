#pragma once

#include <ctime>
#include <string>

namespace quorvane::sim {

// The moment a local calendar time names (-1 when it names none).
std::time_t localTimeOf(int year, int month, int day, int hour, int minute, int second);

// The instrument's real-time clock: the host sets it to its local calendar time, so it is
// kept as an offset from this machine's clock and shown in local time.
class DeviceClock {
  public:
    // "year,month,day,hour,minute,second", decimal, no leading zeros.
    std::string fields() const;

    // False (clock unchanged) for a time the clock chip cannot hold: years 2000-2099 only,
    // and every field in its calendar range.
    bool set(int year, int month, int day, int hour, int minute, int second);

    std::time_t now() const { return std::time(nullptr) + offset_; }

  private:
    std::time_t offset_ = 0;
};

}  // namespace quorvane::sim
