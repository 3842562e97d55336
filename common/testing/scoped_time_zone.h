#pragma once

#include <ctime>
#include <optional>
#include <string>

#include "common/testing/scoped_environment.h"

namespace quorvane::test {

// The process's local time zone for a scope, as a TZ rule ("IST-5:30": five and a half hours
// east), so that a test of local time means the same on every machine.
class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const std::string& rule) : tz_(std::in_place, "TZ", rule) { reload(); }
    ~ScopedTimeZone() {
        tz_.reset();  // the zone before, then read again
        reload();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

  private:
    static void reload() {
#if defined(_WIN32)
        _tzset();
#else
        tzset();
#endif
    }
    std::optional<ScopedEnvironment> tz_;
};

}  // namespace quorvane::test
