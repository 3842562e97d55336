#pragma once

#include <chrono>

#include "device/link/serial_port.h"

namespace quorvane {

// How long a write may take: perByte for every byte plus constant.
struct WriteTimeouts {
    std::chrono::milliseconds perByte{50};
    std::chrono::milliseconds constant{2000};
};

// termios backend: 921600 baud (or another standard speed), 8N1, raw, reads that never wait (VMIN =
// VTIME = 0 on a non-blocking descriptor). It uses no modem-line ioctls, which pseudo-terminals
// reject.
class PosixSerialPort : public SerialPort {
  public:
    explicit PosixSerialPort(WriteTimeouts timeouts = {}, int baudRate = kDeviceBaudRate);
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    bool open(const std::string& name) override;
    void close() override;
    bool isOpen() const override { return fd_ >= 0; }
    bool write(std::span<const uint8_t> bytes) override;
    ReadResult readAvailable(std::span<uint8_t> buffer) override;
    size_t inputQueued() override;
    bool purge() override;
    void waitForInput() override;
    std::string lastError() const override { return lastError_; }

  private:
    // Keeps errno's text, after the failed call's name when it is not the operation's own.
    void failWithErrno(const char* call = nullptr);
    void fail(std::string reason) { lastError_ = std::move(reason); }
    void configureLine();

    WriteTimeouts timeouts_;
    int baudRate_;
    int fd_ = -1;
    std::string lastError_;
};

}  // namespace quorvane
