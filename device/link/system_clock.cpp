#include "device/link/system_clock.h"

#include <chrono>
#include <thread>

namespace quorvane {

LocalDateTime localDateTimeOf(std::time_t time) {
    std::tm parts{};
#if defined(_WIN32)
    const bool ok = localtime_s(&parts, &time) == 0;
#else
    const bool ok = localtime_r(&time, &parts) != nullptr;
#endif
    if (!ok) {
        return {};
    }
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

int32_t SystemClock::secondsOfDay() {
    const LocalDateTime now = localDateTime();
    return now.hour * 3600 + now.minute * 60 + now.second;
}

int64_t SystemClock::counter() {
    return std::chrono::steady_clock::now().time_since_epoch().count();
}

int64_t SystemClock::counterFrequency() {
    using Period = std::chrono::steady_clock::period;
    return Period::den / Period::num;
}

void SystemClock::sleepMs(int milliseconds) {
    if (milliseconds <= 0) {
        std::this_thread::yield();
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}

LocalDateTime SystemClock::localDateTime() {
    return localDateTimeOf(std::time(nullptr));
}

}  // namespace quorvane
