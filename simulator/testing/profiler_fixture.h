#pragma once

#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/testing/temp_dir_test.h"
#include "simulator/device_clock.h"
#include "simulator/testing/line_client.h"
#include "simulator/virtual_profiler.h"

namespace quorvane::sim {

// A virtual profiler on a card folder of the test's own, unpaced and with no erase delays
// unless a test asks otherwise, and a host end of its line.
class ProfilerTest : public test::TempDirTest {
  protected:
    void TearDown() override;

    ProfilerOptions testOptions() const;
    // Starts the profiler and opens the line; fails the test when either does not work.
    void startProfiler(const ProfilerOptions& options);
    void startProfiler() { startProfiler(testOptions()); }

    // Puts a file on the card with the given local modification time.
    void putCast(const std::string& name, const std::string& bytes, std::time_t modified) const;
    std::string cardFolder() const { return (dir_ / "card").string(); }

    std::unique_ptr<VirtualProfiler> profiler_;
    std::unique_ptr<LineClient> line_;
};

// Whether `holds` (on the profiler's counters or port, which its own thread changes) came true
// within the time.
bool eventually(const std::function<bool()>& holds, int timeoutMs = 5000);

// A cast of about `records` records with a header, as the instrument writes them.
std::string sampleCast(int records, int firstNumber = 1);

// Asks for the file index and reads up to its end line or the no-file reply.
std::string fileIndex(LineClient& line);

// What a download by the host's handshake brought home.
struct Download {
    std::string startReply;
    std::string step1Reply;
    std::string name;      // from the file-info frame: offset 13 up to the last comma
    size_t announced = 0;  // the size after the last comma
    std::string bytes;     // the payloads of the data frames in order
    bool framesOk = true;  // every frame well formed with a matching checksum
};
Download download(LineClient& line, int index);

}  // namespace quorvane::sim
