#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/message.h"
#include "navigation/nav_recorder.h"

namespace quorvane {

// NMEA 0183's own line speed, which most receivers keep unless set otherwise.
inline constexpr int kNmeaBaudRate = 4800;

// Where the ship's navigation comes in: a serial port, or UDP datagrams to a port of this PC.
struct NavSource {
    std::string serialPort;  // a device path or "COM3"; empty: UDP
    int baudRate = kNmeaBaudRate;
    uint16_t udpPort = 0;
    bool operator==(const NavSource&) const = default;
};

// The window's one field: "10110" is a UDP port, anything else a serial port, "COM3@9600" at a
// speed other than 4800. Nothing for an empty text, a port number out of range or a speed the
// serial link cannot set.
std::optional<NavSource> parseNavSource(std::string_view text);
// "UDP 10110", "COM3 at 4800 baud".
std::string navSourceText(const NavSource& source);

// The lines of a navigation stream as they come, whichever way it comes.
class NavInput {
  public:
    virtual ~NavInput() = default;
    // Whole lines, without their line ends, that arrived within about `waitMs`.
    virtual std::vector<std::string> lines(int waitMs) = 0;
    // Why the stream ended (a serial adapter pulled out); empty while it flows.
    virtual std::string failure() const = 0;
};

// The open input, or nothing and `problem` says why (the port is taken or missing).
std::unique_ptr<NavInput> openNavInput(const NavSource& source, std::string& problem);

// Says when the PC's clock goes more than 2 s off GPS time, and when it agrees again: that
// error moves every cast position taken from navigation by the ship's way in that time.
class PcClockWatch {
  public:
    std::optional<Text> update(std::optional<double> clockAheadS);
    bool off() const { return off_; }

  private:
    bool off_ = false;
};

// Feeds `input` to `recorder` until `stopped` says so or the input fails, handing every line's
// outcome to `report`; returns the input's failure, empty after a stop.
std::string recordNavigation(NavInput& input, NavRecorder& recorder,
                             const std::function<bool()>& stopped,
                             const std::function<void(const NavRecorder::Outcome&)>& report);

// Milliseconds since 1970 by the PC's clock, logged beside each fix.
int64_t pcClockMs();

}  // namespace quorvane
