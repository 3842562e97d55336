#include "simulator/profiler_session.h"

#include "simulator/frame_encoder.h"
#include "simulator/frame_faults.h"

namespace quorvane::sim {
namespace {

// What an instrument says unasked when it wakes from its power-saving sleep.
constexpr std::string_view kStrayLine = "$cmd,msg,wakeup*ff\r\n";
constexpr int kIdlePollMs = 1000;
constexpr int kReplugRetryMs = 1000;
constexpr int kHangupGraceMs = 500;

}  // namespace

ProfilerSession::ProfilerSession(const ProfilerOptions& options, CastStore store,
                                 ProfilerStats& stats, PortListener listener)
    : options_(options),
      stats_(stats),
      listener_(std::move(listener)),
      writer_(transport_, stop_, options.baud),
      device_(options.device, std::move(store)),
      faults_(options.faults, options.faultSeed) {}

bool ProfilerSession::open(std::string& error) {
    if (!transport_.open(options_.baud, options_.linkPath, error)) {
        return false;
    }
    stats_.setSlavePath(transport_.slavePath());
    if (listener_) {
        listener_(transport_.slavePath());
    }
    return true;
}

void ProfilerSession::run() {
    std::string input;
    while (!stop_.raised()) {
        if (!transport_.isOpen() && !replug()) {
            return;
        }
        input.clear();
        if (!transport_.receive(input, kIdlePollMs, stop_)) {
            return;
        }
        for (const std::string& command : scanner_.feed(input)) {
            if (!serve(command)) {
                break;
            }
        }
    }
}

// After a hang-up the instrument comes back as a new port, as a re-plugged adapter would.
bool ProfilerSession::replug() {
    scanner_.reset();
    if (replugMs_ < 0) {
        stop_.wait();
        return false;
    }
    int delay = replugMs_;
    while (stop_.sleepFor(delay)) {
        std::string error;
        if (open(error)) {
            return true;
        }
        delay = kReplugRetryMs;
    }
    return false;
}

// False when the rest of the commands read with this one must be dropped: the line went
// dead, or the instrument was deaf while they came in.
bool ProfilerSession::serve(const std::string& command) {
    const uint64_t number = stats_.noteCommand(command);
    const CommandFaults struck = faults_.forCommand(number);
    bool heardTheRest = true;
    if (struck.silenceMs > 0) {
        countFault();
        if (!stop_.sleepFor(struck.silenceMs)) {
            return false;
        }
        transport_.discardInput();
        scanner_.reset();
        heardTheRest = false;
    }
    if (struck.stray) {
        countFault();
        if (!send(kStrayLine)) {
            return false;
        }
    }
    if (!struck.replacement.empty()) {
        countFault();
        return send(struck.replacement) && heardTheRest;
    }
    return answer(device_.handle(command)) && heardTheRest;
}

bool ProfilerSession::answer(const DeviceAnswer& answer) {
    if (answer.busyMs > 0 && !stop_.sleepFor(answer.busyMs)) {
        return false;
    }
    switch (answer.kind) {
        case DeviceAnswer::Kind::Text:
            return send(answer.bytes);
        case DeviceAnswer::Kind::Frame:
            return send(encodeBlockFrame(answer.bytes));
        case DeviceAnswer::Kind::DataFrame:
            return sendDataFrame(answer);
    }
    return false;
}

bool ProfilerSession::sendDataFrame(const DeviceAnswer& answer) {
    uint64_t number = 0;
    stats_.update([&](ProfilerCounters& c) {
        number = ++c.framesSent;
        c.repeatsServed += answer.repeat ? 1 : 0;
    });
    const FrameFaults struck = faults_.forFrame(number, answer.bytes.size(), answer.block);
    const int strikes = struck.badChecksum + struck.noisyPayloadByte.has_value() + struck.drop +
                        (struck.gapRecords != 0) + struck.hangupReplugMs.has_value();
    stats_.update([&](ProfilerCounters& c) { c.faultsInjected += strikes; });
    const FaultedFrame frame = spoilFrame(answer.bytes, struck);
    if (!send(frame.bytes)) {
        return false;
    }
    if (frame.hangUpAfter) {
        transport_.hangUp(kHangupGraceMs);
        stats_.setSlavePath({});
        stats_.update([](ProfilerCounters& c) { ++c.hangups; });
        replugMs_ = *struck.hangupReplugMs;
        return false;
    }
    return true;
}

bool ProfilerSession::send(std::string_view bytes) {
    if (!writer_.send(bytes)) {
        return false;
    }
    stats_.update([&](ProfilerCounters& c) { c.bytesSent += bytes.size(); });
    return true;
}

}  // namespace quorvane::sim
