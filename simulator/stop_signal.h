#pragma once

namespace quorvane::sim {

// A stop request that a thread blocked in poll() notices at once: raising it makes a pipe
// readable, so the profiler never waits out a time-out before it shuts down.
class StopSignal {
  public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    void raise();
    bool raised() const;
    int fd() const { return fds_[0]; }  // readable once raised

    // Waits ms milliseconds; false when the stop came first.
    bool sleepFor(int ms) const;
    void wait() const;

  private:
    int fds_[2] = {-1, -1};
};

}  // namespace quorvane::sim
