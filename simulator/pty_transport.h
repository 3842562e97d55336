#pragma once

#include <string>
#include <string_view>

#include "simulator/stop_signal.h"

namespace quorvane::sim {

// The instrument's end of the serial line: the master of a pseudo-terminal pair, whose
// slave is the "serial port" the host opens. The profiler keeps a slave descriptor of its
// own open, so the line stays up while the host closes and reopens the port (without it
// the master reports a hang-up whenever no one holds the slave).
class PtyTransport {
  public:
    PtyTransport() = default;
    ~PtyTransport() { hangUp(); }
    PtyTransport(const PtyTransport&) = delete;
    PtyTransport& operator=(const PtyTransport&) = delete;

    // Opens a new pair in raw mode at the given line speed (0: leave the default) and, when
    // linkPath is not empty, points a symbolic link there at the slave.
    bool open(int baud, const std::string& linkPath, std::string& error);

    // Pulls the plug: the host's reads see end-of-line and its writes fail; the link goes.
    // A pseudo-terminal throws away what the host has not read yet when it hangs up, where a
    // real port would keep what its UART received; so the host gets up to `graceMs` to read
    // what is on its way first.
    void hangUp(int graceMs = 0);

    bool isOpen() const { return master_ >= 0; }
    const std::string& slavePath() const { return slavePath_; }

    // Waits up to timeoutMs for bytes from the host and appends what arrived. False when
    // the stop was raised.
    bool receive(std::string& into, int timeoutMs, const StopSignal& stop);
    void discardInput();

    // Writes everything, waiting while the host lets the line back up. False when the stop
    // was raised or the line failed.
    bool writeAll(std::string_view bytes, const StopSignal& stop);

  private:
    int master_ = -1;
    int heldSlave_ = -1;
    std::string slavePath_;
    std::string linkPath_;
};

}  // namespace quorvane::sim
