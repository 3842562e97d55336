#include "soak/watchdog.h"

#include <cstdio>
#include <cstdlib>

namespace quorvane::soak {

Watchdog::Watchdog(std::chrono::seconds grace) : grace_(grace), thread_([this] { watch(); }) {}

Watchdog::~Watchdog() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    changed_.notify_one();
    thread_.join();
}

void Watchdog::arm(std::chrono::seconds limit, std::function<void()> onExpiry) {
    {
        std::lock_guard lock(mutex_);
        deadline_ = Clock::now() + limit;
        onExpiry_ = std::move(onExpiry);
        fired_ = false;
    }
    changed_.notify_one();
}

bool Watchdog::disarm() {
    std::lock_guard lock(mutex_);
    deadline_.reset();
    onExpiry_ = nullptr;
    return fired_;
}

void Watchdog::watch() {
    std::unique_lock lock(mutex_);
    while (!quit_) {
        if (!deadline_) {
            changed_.wait(lock);
            continue;
        }
        const Clock::time_point deadline = *deadline_;
        if (changed_.wait_until(lock, deadline) != std::cv_status::timeout ||
            deadline_ != deadline) {
            continue;
        }
        if (fired_) {
            std::fprintf(stderr, "soak: a run did not end after a stop request; giving up\n");
            std::fflush(stdout);
            std::_Exit(3);
        }
        fired_ = true;
        deadline_ = deadline + grace_;
        // The action runs outside the lock: it may take a while (a worker's stop) and must not
        // hold up disarm().
        const std::function<void()> action = onExpiry_;
        lock.unlock();
        if (action) {
            action();
        }
        lock.lock();
    }
}

}  // namespace quorvane::soak
