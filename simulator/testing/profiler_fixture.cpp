#include "simulator/testing/profiler_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "common/raw_format.h"

namespace quorvane::sim {

void ProfilerTest::TearDown() {
    line_.reset();
    profiler_.reset();
    TempDirTest::TearDown();
}

ProfilerOptions ProfilerTest::testOptions() const {
    ProfilerOptions options;
    options.storageDir = cardFolder();
    options.casts = 0;
    options.baud = 0;
    options.device.deleteMs = 0;
    options.device.clearMs = 0;
    return options;
}

void ProfilerTest::startProfiler(const ProfilerOptions& options) {
    line_.reset();
    profiler_ = std::make_unique<VirtualProfiler>(options);
    std::string error;
    ASSERT_TRUE(profiler_->start(&error)) << error;
    line_ = std::make_unique<LineClient>(profiler_->slavePath());
    ASSERT_TRUE(line_->isOpen());
}

bool eventually(const std::function<bool()>& holds, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!holds()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void ProfilerTest::putCast(const std::string& name, const std::string& bytes,
                           std::time_t modified) const {
    std::filesystem::create_directories(cardFolder());
    ASSERT_TRUE(CastStore(cardFolder()).write(name, bytes, modified));
}

std::string sampleCast(int records, int firstNumber) {
    const RawFileHeader header = RawFileHeader::make(12345678, 1.025f, 30.0f, 0.5f, "V1.2.0");
    std::string bytes(header.bytes.begin(), header.bytes.end());
    for (int i = 0; i < records; ++i) {
        const RawRecord record =
            RawRecord::make(firstNumber + i, 1480.0f + i * 0.01f, 15.0f, 1.0f + i * 0.05f);
        bytes.append(record.bytes.begin(), record.bytes.end());
    }
    return bytes;
}

std::string fileIndex(LineClient& line) {
    line.send("$cmd,get,fileindex*ff");
    return line.readUntil([](const std::string& s) {
        return s.ends_with("$cmd,fileindex,end*ff\r\n") || s == "$cmd,card,nofile*ff\r\n";
    });
}

Download download(LineClient& line, int index) {
    Download got;
    got.startReply = line.exchange("$cmd,send,fileindex," + std::to_string(index) + "*ff");
    got.step1Reply = line.exchange("$cmd,send,file,1*ff");
    line.send("$cmd,send,file,2*ff");
    const auto info = parseFrame(line.readFrame());
    // The host skips nine payload bytes; the name runs from there to the last comma.
    const size_t comma = info ? info->payload.rfind(',') : std::string::npos;
    if (!info || !info->checksumOk || comma == std::string::npos || comma < 9) {
        got.framesOk = false;
        return got;
    }
    got.name = info->payload.substr(9, comma - 9);
    got.announced = std::strtoul(info->payload.c_str() + comma + 1, nullptr, 10);
    while (got.bytes.size() < got.announced) {
        line.send("$cmd,send,file,3*ff");
        const auto block = parseFrame(line.readFrame());
        if (!block || !block->checksumOk || block->payload.empty()) {
            got.framesOk = false;
            return got;
        }
        got.bytes += block->payload;
    }
    line.send("$cmd,send,file,4*ff");
    const auto end = parseFrame(line.readFrame());
    got.framesOk = end && end->checksumOk;
    return got;
}

}  // namespace quorvane::sim
