#include "simulator/paced_writer.h"

#include <algorithm>
#include <thread>

namespace quorvane::sim {

PacedWriter::PacedWriter(PtyTransport& transport, const StopSignal& stop, int baud)
    : transport_(transport),
      stop_(stop),
      bytesPerSecond_(baud > 0 ? baud / 10.0 : 0.0),
      burst_(std::max<size_t>(16, static_cast<size_t>(bytesPerSecond_ / 500.0))) {}

bool PacedWriter::send(std::string_view bytes) {
    if (bytesPerSecond_ <= 0.0) {
        return transport_.writeAll(bytes, stop_);
    }
    while (!bytes.empty()) {
        if (stop_.raised()) {
            return false;
        }
        // An idle line earns no credit: the burst starts now or when the last one is out.
        const Clock::time_point start = std::max(Clock::now(), lineFreeAt_);
        std::this_thread::sleep_until(start);
        const std::string_view piece = bytes.substr(0, burst_);
        if (!transport_.writeAll(piece, stop_)) {
            return false;
        }
        lineFreeAt_ = start + std::chrono::duration_cast<Clock::duration>(
                                  std::chrono::duration<double>(piece.size() / bytesPerSecond_));
        bytes.remove_prefix(piece.size());
    }
    return true;
}

}  // namespace quorvane::sim
