#pragma once

#include <atomic>

#include "device/link/clock.h"
#include "device/link/serial_port.h"

namespace quorvane {

// The window thread runs the device's text exchanges synchronously, yet the window must not
// freeze: while an exchange waits for the device, pending paints, timers and queued calls run
// (status texts and the "Please wait" animation show as they are set). User input to the
// windows is dropped meanwhile, except in a message box opened during the wait; a request to
// close a window is delivered, so that the window can end the exchange and then close. Called
// anywhere; does something only on the window thread.
void keepWindowLive();

// What keepWindowLive does, at once; window thread. A command runs it before it opens a box:
// a close requested since the last look would be dropped behind the box.
void processWaitingEvents();

// The program's port as the window uses it: waits for input keep the window live, and once
// the window closes every read and write fails at once, so that an exchange in progress ends
// instead of holding the window open.
class LivePort : public SerialPort {
  public:
    explicit LivePort(SerialPort& port) : port_(port) {}

    void interrupt() { interrupted_ = true; }

    bool open(const std::string& name) override { return port_.open(name); }
    void close() override { port_.close(); }
    bool isOpen() const override { return port_.isOpen(); }
    bool write(std::span<const uint8_t> bytes) override {
        return !interrupted_ && port_.write(bytes);
    }
    ReadResult readAvailable(std::span<uint8_t> buffer) override {
        return interrupted_ ? ReadResult{} : port_.readAvailable(buffer);
    }
    size_t inputQueued() override { return port_.inputQueued(); }
    bool purge() override { return port_.purge(); }
    std::string lastError() const override { return port_.lastError(); }
    void waitForInput() override {
        port_.waitForInput();
        keepWindowLive();
    }

  private:
    SerialPort& port_;
    std::atomic<bool> interrupted_ = false;
};

// The program's clock as the window uses it: a pause on the window thread keeps the window
// live.
class LiveClock : public Clock {
  public:
    explicit LiveClock(Clock& clock) : clock_(clock) {}

    int32_t secondsOfDay() override { return clock_.secondsOfDay(); }
    int64_t counter() override { return clock_.counter(); }
    int64_t counterFrequency() override { return clock_.counterFrequency(); }
    void sleepMs(int milliseconds) override;
    LocalDateTime localDateTime() override { return clock_.localDateTime(); }

  private:
    Clock& clock_;
};

}  // namespace quorvane
