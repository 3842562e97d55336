#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quorvane {

// The instrument's line speed; other speeds are for other instruments on the same link code
// (a navigation receiver talks NMEA 0183 at 4800 or faster).
inline constexpr int kDeviceBaudRate = 921600;
// The speeds both backends can set.
inline constexpr int kStandardBaudRates[] = {4800,   9600,   19200,  38400, 57600,
                                             115200, 230400, 460800, 921600};
constexpr bool isStandardBaudRate(double rate) {
    for (const int standard : kStandardBaudRates) {
        if (rate == standard)
            return true;
    }
    return false;
}

struct ReadResult {
    bool ok = false;
    size_t count = 0;
};

// The one open port of the device program. The protocol above is synchronous polling, so every
// call returns promptly: reads hand back what has arrived (possibly nothing), writes are bounded
// by the write time-out, and only waitForInput() may pause, and only briefly.
class SerialPort {
  public:
    // A read never takes more than this, so a caller's 1024-byte buffer keeps a terminating NUL.
    static constexpr size_t kMaxRead = 1023;

    virtual ~SerialPort() = default;

    // Opens and configures the named port (a device path on POSIX, "COM3" on Windows), closing
    // any port open before. Only the open itself decides the result: a port whose settings
    // cannot all be applied is still used.
    virtual bool open(const std::string& name) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // One write of all the bytes; false when it fails or does not finish within the write
    // time-out (50 ms per byte plus 2000 ms).
    virtual bool write(std::span<const uint8_t> bytes) = 0;

    // Returns at once with at most min(buffer.size(), kMaxRead) bytes; ok with count 0 when
    // nothing has arrived.
    virtual ReadResult readAvailable(std::span<uint8_t> buffer) = 0;

    // Bytes waiting in the input queue; clears the port's error state on the way.
    virtual size_t inputQueued() = 0;

    // Discards both directions: pending input and output not yet sent. False when the system
    // refused.
    virtual bool purge() = 0;

    // The operating system's reason for the last call that failed, in its own words ("Permission
    // denied"); empty when none has failed since the last open attempt. After an open that
    // succeeded, it names the setting that could not be applied, if one could not.
    virtual std::string lastError() const = 0;

    // Lets a polling loop pause for up to about a millisecond until input arrives, instead of
    // spinning on empty reads. Ports that cannot wait return at once.
    virtual void waitForInput() {}

    bool writeText(std::string_view text) {
        return write({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
    }
};

}  // namespace quorvane
