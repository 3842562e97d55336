#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "device/link/testing/fake_clock.h"
#include "device/link/testing/fake_port.h"

namespace quorvane {

// A file on the scripted device's card: its FAT date and time words as the index sends them.
struct ScriptedFile {
    std::string name;
    std::string bytes;
    int dateWord = 17509;     // 2014-03-05
    int timeWord = 21135;     // 10:20:30
    std::string announced{};  // the size the file-info frame gives; empty: the file's own
};

// What happens to one data frame on its way to the host.
struct FrameFault {
    bool drop = false;
    bool badChecksum = false;
    bool noisyPayload = false;  // a payload byte changes after the checksum was made
    int delayMs = 0;            // arrives this much later (fake clock)
};

// How long a data frame of 512 bytes takes on the line at 921600 baud, rounded up.
inline constexpr int kFrameLineMs = 6;

// A profiler behind a fake port for unit tests: it answers every command the moment it is
// written, from scripted replies first and otherwise like the instrument (get-replies,
// file index, deletions, settings, the file transfer with its frames).
class ScriptedDevice {
  public:
    ScriptedDevice(FakePort& port, FakeClock& clock);

    // The reply to a command written exactly so, every time; an empty reply is silence.
    void answer(const std::string& command, const std::string& reply);
    // Replies used one per write before the standing ones.
    void answerOnce(const std::string& command, const std::string& reply);

    std::vector<ScriptedFile> files;
    // Consulted for each command before anything else, with how often that command has been
    // written so far (from 1): a reply given is sent instead of the answer and the command is
    // not carried out, as when the device misheard it.
    std::function<std::optional<std::string>(const std::string& command, int count)> mishears;
    // Consulted for each data frame sent: its count from 1 over the whole session and the
    // offset of its block in the file.
    std::function<FrameFault(int frame, size_t offset)> frameFault;
    // Only a port opened under this name is answered (empty: any).
    std::string answersOn;

    std::string deviceId = "12345678";
    std::string firmware = "V1.2.0";
    std::string voltage = "12.6";
    std::string depthScale = "0.500000";
    std::string areaPara = "1.025000,30.000000";
    std::string space = "7000000,7716800";
    std::string workState = "0";
    std::string utcTime = "2014,3,5,10,20,30";

    // Every command written to an answering port, in order.
    std::vector<std::string> commands;

    std::string fileIndexReply() const;

  private:
    std::optional<std::string> scripted(const std::string& command);
    std::string handle(const std::string& command);
    std::string transfer(const std::string& command);
    std::string dataFrame();

    FakePort& port_;
    FakeClock& clock_;
    std::map<std::string, std::deque<std::string>> once_;
    std::map<std::string, std::string> standing_;
    std::optional<size_t> picked_;
    size_t blockOffset_ = 0;
    size_t blockLength_ = 0;
    bool blockSent_ = false;
    int framesSent_ = 0;
};

}  // namespace quorvane
