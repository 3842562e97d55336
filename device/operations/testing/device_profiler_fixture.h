#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "common/testing/temp_dir_test.h"
#include "device/operations/output_naming.h"
#include "device/operations/testing/raw_cast_bytes.h"
#include "simulator/cast_store.h"
#include "simulator/device_clock.h"
#include "simulator/fault_plan.h"
#include "simulator/virtual_profiler.h"

namespace quorvane::test {

struct Cast {
    std::string name;
    size_t size;
};

// The device side against a virtual profiler on a pseudo-terminal: the card and the working
// folder live in the test's own folder, every cast on the card was written 2014-03-05 10:20:30
// by device 12345678, and the profiler is unpaced and erases at once unless a test asks
// otherwise. A test's TearDown ends whatever holds the port before calling this one's.
class DeviceProfilerTest : public TempDirTest {
  protected:
    void TearDown() override {
        profiler_.reset();
        TempDirTest::TearDown();
    }

    std::filesystem::path card() const { return dir_ / "card"; }
    std::filesystem::path work() const { return dir_ / "work"; }
    std::filesystem::path downloaded(const std::string& name) const {
        return work() / "Data" / "12345678" / ("2014-03-05_102030_" + name);
    }
    std::string cardBytes(const std::string& name) const { return slurp(card() / name); }
    // A file not received whole, or still being received.
    std::filesystem::path incomplete(const std::string& name) const {
        return work() / "Data" / "12345678" / incompleteFileName("2014-03-05_102030_" + name);
    }
    // 0 while the download has not made the file yet.
    uintmax_t downloadedSize(const std::string& name) const {
        std::error_code missing;
        const uintmax_t size = std::filesystem::file_size(incomplete(name), missing);
        return missing ? 0 : size;
    }

    sim::ProfilerOptions options(const std::vector<std::string>& faults = {}) const {
        sim::ProfilerOptions o;
        o.storageDir = card().string();
        o.casts = 0;
        o.baud = 0;
        o.device.deleteMs = 0;
        o.device.clearMs = 0;
        for (const std::string& fault : faults) {
            const sim::FaultParse parsed = sim::parseFaultRule(fault);
            EXPECT_TRUE(parsed.rule) << parsed.error;
            o.faults.push_back(*parsed.rule);
        }
        return o;
    }

    // Puts the casts on the card and starts the profiler; makes the working folder.
    void startProfiler(const sim::ProfilerOptions& o, const std::vector<Cast>& casts) {
        const sim::CastStore store(card().string());
        ASSERT_TRUE(store.prepare());
        for (const Cast& c : casts) {
            ASSERT_TRUE(store.write(c.name, rawCastBytes(c.size),
                                    sim::localTimeOf(2014, 3, 5, 10, 20, 30)));
        }
        profiler_ = std::make_unique<sim::VirtualProfiler>(o);
        std::string error;
        ASSERT_TRUE(profiler_->start(&error)) << error;
        std::filesystem::create_directories(work());
    }

    // The commands the profiler received from the given one on (counted from 0) that begin
    // with `prefix`.
    std::vector<std::string> commandsFrom(size_t first, const std::string& prefix = "") const {
        const std::vector<std::string> log = profiler_->commandLog();
        std::vector<std::string> picked;
        std::copy_if(log.begin() + long(std::min(first, log.size())), log.end(),
                     std::back_inserter(picked),
                     [&](const std::string& c) { return c.starts_with(prefix); });
        return picked;
    }

    std::unique_ptr<sim::VirtualProfiler> profiler_;
};

}  // namespace quorvane::test
