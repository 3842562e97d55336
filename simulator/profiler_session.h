#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "simulator/command_scanner.h"
#include "simulator/device_model.h"
#include "simulator/fault_plan.h"
#include "simulator/paced_writer.h"
#include "simulator/profiler_stats.h"
#include "simulator/pty_transport.h"
#include "simulator/stop_signal.h"

namespace quorvane::sim {

// Called with the slave path each time a port appears (at start and after a hang-up).
using PortListener = std::function<void(const std::string& slavePath)>;

// The profiler's working loop: reads commands off the line, lets the fault plan strike,
// has the device model answer and puts the answer on the line at the line's pace. Runs on
// one thread; only stop() may be called from another.
class ProfilerSession {
  public:
    ProfilerSession(const ProfilerOptions& options, CastStore store, ProfilerStats& stats,
                    PortListener listener);

    bool open(std::string& error);
    void run();
    void stop() { stop_.raise(); }

  private:
    bool serve(const std::string& command);
    bool answer(const DeviceAnswer& answer);
    bool sendDataFrame(const DeviceAnswer& answer);
    bool send(std::string_view bytes);
    bool replug();
    void countFault() {
        stats_.update([](ProfilerCounters& c) { ++c.faultsInjected; });
    }

    const ProfilerOptions options_;
    ProfilerStats& stats_;
    PortListener listener_;
    StopSignal stop_;
    PtyTransport transport_;
    PacedWriter writer_;
    CommandScanner scanner_;
    DeviceModel device_;
    FaultPlan faults_;
    int replugMs_ = 0;
};

}  // namespace quorvane::sim
