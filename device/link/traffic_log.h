#pragma once

#include <memory>
#include <span>
#include <string>

#include "common/file_io.h"
#include "device/link/serial_port.h"

namespace quorvane {

// Names a file that every open, write, non-empty read and purge is appended to, with the
// system's reason for each that failed.
inline constexpr const char* kSerialLogVariable = "QUORVANE_SERIAL_LOG";

// Wraps any port and appends its traffic, time-stamped and dumped as hex and ASCII, to a log
// file, flushed after each entry so that the log survives a crash. A log that cannot be opened
// only switches logging off; the port works as before.
class TrafficLogPort : public SerialPort {
  public:
    TrafficLogPort(std::unique_ptr<SerialPort> inner, const std::string& logPath);

    bool open(const std::string& name) override;
    void close() override;
    bool isOpen() const override { return inner_->isOpen(); }
    bool write(std::span<const uint8_t> bytes) override;
    ReadResult readAvailable(std::span<uint8_t> buffer) override;
    size_t inputQueued() override { return inner_->inputQueued(); }
    bool purge() override;
    void waitForInput() override { inner_->waitForInput(); }
    std::string lastError() const override { return inner_->lastError(); }

  private:
    void entry(const std::string& line, std::span<const uint8_t> bytes = {});
    // "<what> failed: <the system's reason>"
    std::string failed(const std::string& what) const;

    std::unique_ptr<SerialPort> inner_;
    FileHandle log_;
};

// Sixteen bytes a line: offset, hex, and the printable ASCII with dots for the rest.
std::string hexDump(std::span<const uint8_t> bytes);

}  // namespace quorvane
