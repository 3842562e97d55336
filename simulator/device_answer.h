#pragma once

#include <cstdint>
#include <string>

namespace quorvane::sim {

// What the instrument puts on the line for one command. Frames are kept as payloads here so
// the line's faults can strike them before they are framed.
struct DeviceAnswer {
    enum class Kind { Text, Frame, DataFrame };

    Kind kind = Kind::Text;
    std::string bytes;    // the text line(s), or the frame payload
    int busyMs = 0;       // how long the instrument works before it answers (erasing)
    bool repeat = false;  // a data block sent again on request
    uint64_t block = 0;   // a data block's number in its file, from 1

    static DeviceAnswer text(std::string line) {
        return {Kind::Text, std::move(line), 0, false, 0};
    }
    static DeviceAnswer frame(std::string payload) {
        return {Kind::Frame, std::move(payload), 0, false, 0};
    }
    static DeviceAnswer data(std::string payload, bool repeat) {
        return {Kind::DataFrame, std::move(payload), 0, repeat, 0};
    }
};

inline constexpr const char* kBadCommand = "$cmd,Bad,Command*ff\r\n";
inline constexpr const char* kConfigOk = "$cmd,Config,OK*ff\r\n";
inline constexpr const char* kConfigFailed = "$cmd,Config,failed*ff\r\n";
inline constexpr const char* kSvpOk = "svp_ok\r\n";

}  // namespace quorvane::sim
