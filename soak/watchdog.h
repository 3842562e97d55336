#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace quorvane::soak {

// Keeps one run from hanging the soak: past the limit it calls the expiry action (asking the
// run to stop); when the run still has not ended after the grace time it ends the process,
// since a hang that a stop request cannot break is exactly what the soak is looking for.
class Watchdog {
  public:
    explicit Watchdog(std::chrono::seconds grace);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    void arm(std::chrono::seconds limit, std::function<void()> onExpiry);
    // True when the limit had passed.
    bool disarm();

  private:
    void watch();

    using Clock = std::chrono::steady_clock;
    const std::chrono::seconds grace_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Clock::time_point> deadline_;
    std::function<void()> onExpiry_;
    bool fired_ = false;
    bool quit_ = false;
    std::thread thread_;
};

}  // namespace quorvane::soak
