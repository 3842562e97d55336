#pragma once

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "simulator/profiler_options.h"
#include "simulator/profiler_session.h"
#include "simulator/profiler_stats.h"

namespace quorvane::sim {

// The virtual profiler in-process: a pseudo-terminal whose slave behaves as the instrument's
// serial port, served by a thread of its own. Tests open slavePath() like any serial port.
//
//   VirtualProfiler profiler(options);
//   if (!profiler.start(&error)) ...;
//   open(profiler.slavePath()) ... talk ...
//   profiler.stop();  // also done by the destructor
class VirtualProfiler {
  public:
    explicit VirtualProfiler(ProfilerOptions options);
    ~VirtualProfiler();
    VirtualProfiler(const VirtualProfiler&) = delete;
    VirtualProfiler& operator=(const VirtualProfiler&) = delete;

    // Prepares the storage (generating casts into an empty one), opens the port and starts
    // serving. False, with a reason, when any of that fails.
    bool start(std::string* error = nullptr);
    void stop();
    bool running() const { return thread_.joinable(); }

    // Set before start(); called on each new port, also from the profiler's thread.
    void setPortListener(PortListener listener) { listener_ = std::move(listener); }

    // Empty while the line is hung up.
    std::string slavePath() const { return stats_.slavePath(); }
    const std::string& storageFolder() const { return options_.storageDir; }
    ProfilerCounters counters() const { return stats_.counters(); }
    std::vector<std::string> commandLog() const { return stats_.commandLog(); }

  private:
    ProfilerOptions options_;
    bool ownsStorage_ = false;
    PortListener listener_;
    ProfilerStats stats_;
    std::unique_ptr<ProfilerSession> session_;
    std::thread thread_;
};

}  // namespace quorvane::sim
