#include "simulator/stop_signal.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace quorvane::sim {

StopSignal::StopSignal() {
    if (::pipe(fds_) == 0) {
        for (const int fd : fds_) {
            ::fcntl(fd, F_SETFL, O_NONBLOCK);
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
    }
}

StopSignal::~StopSignal() {
    for (const int fd : fds_) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

void StopSignal::raise() {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(fds_[1], &byte, 1);
}

bool StopSignal::raised() const {
    pollfd probe{fds_[0], POLLIN, 0};
    return ::poll(&probe, 1, 0) > 0;
}

void StopSignal::wait() const {
    pollfd probe{fds_[0], POLLIN, 0};
    while (::poll(&probe, 1, -1) < 0 && errno == EINTR) {
    }
}

bool StopSignal::sleepFor(int ms) const {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(ms);
    while (true) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
        pollfd probe{fds_[0], POLLIN, 0};
        const int ready = ::poll(&probe, 1, left > 0 ? static_cast<int>(left) : 0);
        if (ready > 0) {
            return false;
        }
        if (ready == 0 && left <= 0) {
            return true;
        }
        if (ready < 0 && errno != EINTR) {
            return !raised();
        }
    }
}

}  // namespace quorvane::sim
