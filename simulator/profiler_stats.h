#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "simulator/profiler_options.h"

namespace quorvane::sim {

// What the profiler thread reports and the owner reads, behind one lock.
class ProfilerStats {
  public:
    uint64_t noteCommand(const std::string& command) {
        std::lock_guard lock(mutex_);
        if (log_.size() < kLogLimit) {
            log_.push_back(command);
        }
        return ++counters_.commandsSeen;
    }
    template <typename Change>
    void update(Change change) {
        std::lock_guard lock(mutex_);
        change(counters_);
    }
    void setSlavePath(std::string path) {
        std::lock_guard lock(mutex_);
        slavePath_ = std::move(path);
    }

    ProfilerCounters counters() const {
        std::lock_guard lock(mutex_);
        return counters_;
    }
    std::vector<std::string> commandLog() const {
        std::lock_guard lock(mutex_);
        return log_;
    }
    std::string slavePath() const {
        std::lock_guard lock(mutex_);
        return slavePath_;
    }

  private:
    static constexpr size_t kLogLimit = 100000;

    mutable std::mutex mutex_;
    ProfilerCounters counters_;
    std::vector<std::string> log_;
    std::string slavePath_;
};

}  // namespace quorvane::sim
