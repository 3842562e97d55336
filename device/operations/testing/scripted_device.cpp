#include "device/operations/testing/scripted_device.h"

#include <algorithm>

#include "device/protocol/block_frame.h"

namespace quorvane {

namespace {

constexpr size_t kBlockBytes = 512;
const std::string kOk = "$cmd,Config,OK*ff\r\n";
const std::string kBad = "$cmd,Bad,Command*ff\r\n";

std::string framed(const std::string& payload) {
    const std::vector<uint8_t> frame =
        makeBlockFrame({reinterpret_cast<const uint8_t*>(payload.data()), payload.size()});
    return std::string(frame.begin(), frame.end());
}

std::string getReply(const std::string& name, const std::string& fields) {
    return "$cmd,get," + name + "," + fields + "*ff\r\n";
}

// The number in "<prefix><number>*ff", or nothing.
std::optional<int> numberAfter(const std::string& command, const std::string& prefix) {
    if (!command.starts_with(prefix) || !command.ends_with("*ff")) {
        return std::nullopt;
    }
    const std::string digits = command.substr(prefix.size(), command.size() - prefix.size() - 3);
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return std::stoi(digits);
}

}  // namespace

ScriptedDevice::ScriptedDevice(FakePort& port, FakeClock& clock) : port_(port), clock_(clock) {
    port_.onWrite = [this](const std::string& written) {
        if (!answersOn.empty() && port_.name() != answersOn) {
            return;
        }
        commands.push_back(written);
        if (mishears) {
            const int count = int(std::count(commands.begin(), commands.end(), written));
            if (const std::optional<std::string> misheard = mishears(written, count)) {
                port_.deliver(*misheard);
                return;
            }
        }
        const std::optional<std::string> reply = scripted(written);
        const std::string bytes = reply ? *reply : handle(written);
        if (!bytes.empty()) {
            port_.deliver(bytes);
        }
    };
}

void ScriptedDevice::answer(const std::string& command, const std::string& reply) {
    standing_[command] = reply;
}

void ScriptedDevice::answerOnce(const std::string& command, const std::string& reply) {
    once_[command].push_back(reply);
}

std::optional<std::string> ScriptedDevice::scripted(const std::string& command) {
    if (auto once = once_.find(command); once != once_.end() && !once->second.empty()) {
        std::string reply = once->second.front();
        once->second.pop_front();
        return reply;
    }
    if (auto standing = standing_.find(command); standing != standing_.end()) {
        return standing->second;
    }
    return std::nullopt;
}

std::string ScriptedDevice::fileIndexReply() const {
    if (files.empty()) {
        return "$cmd,card,nofile*ff\r\n";
    }
    std::string reply = "$cmd,fileindex,start*ff\r\n";
    for (size_t i = 0; i < files.size(); ++i) {
        const ScriptedFile& f = files[i];
        reply += "$cmd,file," + std::to_string(i + 1) + "," + f.name + "," +
                 std::to_string(f.bytes.size()) + "," + std::to_string(f.dateWord) + "," +
                 std::to_string(f.timeWord) + "*ff\r\n";
    }
    return reply + "$cmd,fileindex,end*ff\r\n";
}

std::string ScriptedDevice::handle(const std::string& command) {
    static const std::map<std::string, std::string ScriptedDevice::*> kGets = {
        {"sysinfo", nullptr},
        {"voltage", &ScriptedDevice::voltage},
        {"depthscale", &ScriptedDevice::depthScale},
        {"areapara", &ScriptedDevice::areaPara},
        {"space", &ScriptedDevice::space},
        {"workstate", &ScriptedDevice::workState},
        {"utctime", &ScriptedDevice::utcTime},
    };
    if (command == "$cmd,get,fileindex*ff") {
        return fileIndexReply();
    }
    if (command.starts_with("$cmd,get,") && command.ends_with("*ff")) {
        const std::string name = command.substr(9, command.size() - 12);
        const auto get = kGets.find(name);
        if (get == kGets.end()) {
            return kBad;
        }
        return getReply(name, get->second ? this->*(get->second) : deviceId + "," + firmware);
    }
    if (command.starts_with("$cmd,set,")) {
        return kOk;
    }
    if (command == "$cmd,delete,all*ff") {
        files.clear();
        return kOk;
    }
    if (const std::optional<int> index = numberAfter(command, "$cmd,delete,")) {
        if (size_t(*index) >= files.size()) {
            return "$cmd,Config,failed*ff\r\n";
        }
        files.erase(files.begin() + *index);
        return kOk;
    }
    return transfer(command);
}

std::string ScriptedDevice::transfer(const std::string& command) {
    if (const std::optional<int> index = numberAfter(command, "$cmd,send,fileindex,")) {
        if (size_t(*index) >= files.size()) {
            picked_.reset();
            return "$cmd,send,file,nofile*ff\r\n";
        }
        picked_ = size_t(*index);
        blockOffset_ = 0;
        blockLength_ = 0;
        blockSent_ = false;
        return "$cmd,send,file,start*ff\r\n";
    }
    if (!picked_ || !command.starts_with("$cmd,send,file,") || command.size() != 19) {
        return kBad;
    }
    const ScriptedFile& file = files[*picked_];
    switch (command[15]) {
        case '1':
            return "$cmd,send,file,1*ff\r\n";
        case '2':
            return framed(
                "fileinfo:" + file.name + "," +
                (file.announced.empty() ? std::to_string(file.bytes.size()) : file.announced));
        case '3':
            if (blockSent_) {
                blockOffset_ += blockLength_;
            }
            return dataFrame();
        case '7':
            return dataFrame();
        case '4':
            picked_.reset();
            return framed("end");
    }
    return kBad;
}

std::string ScriptedDevice::dataFrame() {
    const std::string& bytes = files[*picked_].bytes;
    const size_t offset = std::min(blockOffset_, bytes.size());
    blockLength_ = std::min(kBlockBytes, bytes.size() - offset);
    blockSent_ = true;
    std::string frame = framed(bytes.substr(offset, blockLength_));
    ++framesSent_;
    const FrameFault fault = frameFault ? frameFault(framesSent_, offset) : FrameFault{};
    if (fault.drop) {
        return {};
    }
    if (fault.badChecksum) {
        frame.back() = char(frame.back() + 1);
    }
    if (fault.noisyPayload && frame.size() > 5) {
        frame[4] = char(frame[4] ^ 0x40);
    }
    // Frames take their time on the line, so retries that are answered at once still see
    // the clock move.
    port_.deliver(frame, clock_.nowMs() + kFrameLineMs + fault.delayMs);
    return {};
}

}  // namespace quorvane
