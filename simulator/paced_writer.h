#pragma once

#include <chrono>
#include <string_view>

#include "simulator/pty_transport.h"
#include "simulator/stop_signal.h"

namespace quorvane::sim {

// Lets bytes out no faster than a serial line at the given baud rate would (ten bits a
// byte: start, eight data, stop), so that transfer times seen by the host are real. A
// pseudo-terminal delivers at memory speed otherwise. Bytes go in bursts of about two
// milliseconds of line time; the writer sleeps between bursts instead of per byte.
class PacedWriter {
  public:
    // baud 0: no pacing.
    PacedWriter(PtyTransport& transport, const StopSignal& stop, int baud);

    bool send(std::string_view bytes);

  private:
    using Clock = std::chrono::steady_clock;

    PtyTransport& transport_;
    const StopSignal& stop_;
    double bytesPerSecond_;
    size_t burst_;
    Clock::time_point lineFreeAt_{};
};

}  // namespace quorvane::sim
