#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "device/link/serial_port.h"
#include "device/link/testing/fake_clock.h"

namespace quorvane {

// A scripted port for unit tests. Incoming bytes are queued as chunks, each delivered by one
// read (split only where a read takes less), optionally not before a given time of the fake
// clock; a read failure can be queued the same way. Every open, write, purge and close is
// recorded in order. waitForInput() advances the fake clock by up to a millisecond, to the next
// chunk if sooner, so that polling loops run through time-outs without real waiting.
class FakePort : public SerialPort {
  public:
    // Without a clock every queued chunk is due at once and waitForInput() does nothing.
    explicit FakePort(FakeClock* clock = nullptr) : clock_(clock) {}

    // Queues bytes that arrive at the given fake-clock time (milliseconds, FakeClock::nowMs),
    // or now.
    void deliver(std::string_view bytes, int64_t atMs = -1);
    void deliver(const std::vector<uint8_t>& bytes, int64_t atMs = -1);
    void failReadAt(int64_t atMs = -1);
    // The next `count` writes fail (and are recorded as failed).
    void failNextWrites(int count = 1) { failingWrites_ = count; }
    void refuseOpen(const std::string& name) { refused_.insert(name); }
    void failNextPurge() { failingPurge_ = true; }
    // What lastError() reports for every scripted failure.
    void setFailureReason(std::string reason) { failureReason_ = std::move(reason); }
    // Called after each successful write with its bytes: a scripted device answers here.
    std::function<void(const std::string& written)> onWrite;

    // "open NAME", "open NAME failed", "write BYTES", "write BYTES failed", "purge",
    // "purge failed", "close".
    const std::vector<std::string>& events() const { return events_; }
    // The bytes of each successful write, in order.
    const std::vector<std::string>& writes() const { return writes_; }
    int purgeCount() const;
    const std::string& name() const { return name_; }

    bool open(const std::string& name) override;
    void close() override;
    bool isOpen() const override { return open_; }
    bool write(std::span<const uint8_t> bytes) override;
    ReadResult readAvailable(std::span<uint8_t> buffer) override;
    size_t inputQueued() override;
    bool purge() override;
    void waitForInput() override;
    std::string lastError() const override { return lastError_; }

  private:
    struct Chunk {
        std::string bytes;
        int64_t atMs = 0;
        bool failure = false;
        size_t taken = 0;  // bytes already read

        size_t left() const { return bytes.size() - taken; }
    };

    int64_t now() const { return clock_ != nullptr ? clock_->nowMs() : 0; }
    bool due(const Chunk& chunk) const { return chunk.atMs <= now(); }
    void queue(Chunk chunk);

    FakeClock* clock_;
    std::deque<Chunk> chunks_;
    std::vector<std::string> events_;
    std::vector<std::string> writes_;
    std::set<std::string> refused_;
    std::string name_;
    int failingWrites_ = 0;
    bool failingPurge_ = false;
    std::string failureReason_ = "Input/output error";
    std::string lastError_;
    bool open_ = false;
};

}  // namespace quorvane
