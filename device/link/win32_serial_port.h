#pragma once

#include "device/link/serial_port.h"

namespace quorvane {

// Windows backend with the settings the instrument has always been driven with: exclusive
// synchronous handle, event mask 5, read time-outs that return at once, writes bounded by
// 50 ms per byte plus 2000 ms, 1024-byte driver queues, only baud/size/parity/stop/binary
// changed in the device control block.
class Win32SerialPort : public SerialPort {
  public:
    explicit Win32SerialPort(int baudRate = kDeviceBaudRate) : baudRate_(baudRate) {}
    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    bool open(const std::string& name) override;
    void close() override;
    bool isOpen() const override;
    bool write(std::span<const uint8_t> bytes) override;
    ReadResult readAvailable(std::span<uint8_t> buffer) override;
    size_t inputQueued() override;
    bool purge() override;
    void waitForInput() override;
    std::string lastError() const override { return lastError_; }

  private:
    // Keeps GetLastError's text, after the failed call's name when it is not the operation's
    // own.
    void failWithLastError(const char* call = nullptr);
    void applySettings();

    int baudRate_;
    void* handle_ = nullptr;  // HANDLE; null when closed
    std::string lastError_;
};

}  // namespace quorvane
