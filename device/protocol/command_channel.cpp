#include "device/protocol/command_channel.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

namespace quorvane {

const Text kDeviceProgramTitle{"QuorvaneDevice", "QuorvaneDevice"};

namespace {

const Text kCheckConnection{"读串口失败，请检查连接！", "Please check the connection!"};
const Text kReadPortFailed{"读串口失败！", "Read serial port failed!"};
const Text kNoDataInDevice{"当前设备内部无文件！", "No data in device!"};
const Message kCommunicationError{
    BoxType::WarningOkCancel, {"当前通信错误请重试！", "Communication error, please try again!"}};
const Text kDisconnectedStatus{"设备断开，请重连设备", "Device is disconnected.Reconnect!"};
const Message kDisconnectedBox{
    BoxType::Warning,
    {"设备断开，请重连设备！", "Device is disconnected. Please reconnect the device!"}};
const Text kClearingAnimation[3] = {
    {"清空文件中.请等待", " Please wait."},
    {"清空文件中..请等待", " Please wait .."},
    {"清空文件中.....请等待", " Please wait ....."},
};

constexpr std::string_view kGetCommands[] = {kGetSysinfo,   kGetVoltage,  kGetUtcTime,   kGetSpace,
                                             kGetWorkState, kGetAreaPara, kGetDepthScale};

using Buffer = std::array<uint8_t, SerialPort::kMaxRead + 1>;

// A read into a zeroed buffer, as text up to its first NUL: text replies carry none, and what
// follows a NUL in a chunk is not taken.
std::string_view chunkText(const Buffer& buffer, size_t count) {
    const char* text = reinterpret_cast<const char*>(buffer.data());
    return std::string_view(text, strnlen(text, count));
}

// The first / last `length` characters, or all of a shorter text.
std::string_view leftOf(std::string_view text, int length) {
    return text.substr(0, size_t(std::max(length, 0)));
}
std::string_view rightOf(std::string_view text, int length) {
    const size_t n = std::min(text.size(), size_t(std::max(length, 0)));
    return text.substr(text.size() - n);
}

bool isGetCommand(std::string_view command) {
    for (std::string_view get : kGetCommands) {
        if (command == get) {
            return true;
        }
    }
    return false;
}

bool isAwaitedGetReply(std::string_view reply, std::string_view expected, int length) {
    return leftOf(reply, length) == expected && reply.ends_with("*ff\r\n");
}

}  // namespace

CommandChannel::CommandChannel(SerialPort& port, Clock& clock, DeviceNotifier& notifier,
                               Prompter& prompter)
    : port_(port), clock_(clock), notifier_(notifier), prompter_(prompter) {}

bool CommandChannel::WriteCommand(std::string_view text) {
    if (text.size() > kMaxCommandLength) {
        return false;
    }
    if (port_.inputQueued() > 0) {
        port_.purge();
    }
    return port_.writeText(text);
}

bool CommandChannel::SendCommand(std::string_view text) {
    if (WriteCommand(text)) {
        return true;
    }
    handleDisconnect();
    return false;
}

void CommandChannel::handleDisconnect() {
    connected_ = false;
    notifier_.setStatus(StatusPane::Messages, kDisconnectedStatus);
    prompter_.ask(kDisconnectedBox);
    notifier_.setTitle(kDeviceProgramTitle);
    notifier_.resetDeviceFields();
}

std::string CommandChannel::finishWait(std::string reply) {
    port_.purge();
    return reply;
}

std::string CommandChannel::WaitReply(const ReplyRule& rule) {
    return WaitReply(rule.command, rule.expected, rule.length);
}

std::string CommandChannel::WaitReply(std::string_view command, std::string_view expected,
                                      int length) {
    const bool clearingAll = command.starts_with(kDeleteAll);
    const bool getCommand = isGetCommand(command);
    const int64_t started = clock_.counter();
    timing_.lastData = clock_.secondsOfDay();
    timing_.lastEmptyPoll = 0;
    int shownAnimation = -1;
    std::string reply;
    Buffer buffer;
    for (;;) {
        buffer.fill(0);
        const ReadResult read = port_.readAvailable({buffer.data(), SerialPort::kMaxRead});
        if (!read.ok) {
            notifier_.setStatus(StatusPane::Messages, kCheckConnection);
            return finishWait(std::move(reply));
        }
        if (read.count == 0) {
            timing_.lastEmptyPoll = clock_.secondsOfDay();
            const int64_t silence = int64_t(timing_.lastEmptyPoll) - timing_.lastData;
            bool timedOut = false;
            if (clearingAll) {
                // Non-negative remainder: across midnight the difference is negative.
                const int step = int((silence % 3 + 3) % 3);
                if (step != shownAnimation) {
                    notifier_.setStatus(StatusPane::Messages, kClearingAnimation[step]);
                    shownAnimation = step;
                }
                clock_.sleepMs(10);
                timedOut = millisecondsSince(clock_, started) > kDeleteAllLimitMs;
            } else {
                timedOut = std::llabs(silence) > 2;
                if (!timedOut) {
                    port_.waitForInput();
                }
            }
            if (timedOut) {
                prompter_.ask(kCommunicationError);
                return finishWait({});
            }
            continue;
        }
        timing_.lastData = clock_.secondsOfDay();
        reply += chunkText(buffer, read.count);
        if (reply.size() > kMaxReplyLength) {
            prompter_.ask(kCommunicationError);
            return finishWait({});
        }
        if (!reply.ends_with("\r\n")) {
            continue;
        }
        if (reply == kBadCommandReply || reply == kShortAckReply || reply == kConfigFailedReply) {
            return finishWait({});
        }
        if (reply == kConfigOkReply) {
            return finishWait(std::string(kOkResult));
        }
        if (command == kGetFileIndex) {
            if (rightOf(reply, length) == expected) {
                return finishWait(std::move(reply));
            }
            if (reply == kCardNoFileReply) {
                notifier_.setStatus(StatusPane::Messages, kNoDataInDevice);
                return finishWait(std::move(reply));
            }
        } else if (getCommand && isAwaitedGetReply(reply, expected, length)) {
            return finishWait(std::move(reply));
        }
    }
}

std::string CommandChannel::ProbeReply(std::string_view command, std::string_view expected,
                                       int length) {
    clock_.sleepMs(200);
    Buffer buffer{};
    const ReadResult read = port_.readAvailable({buffer.data(), SerialPort::kMaxRead});
    std::string reply;
    if (read.ok) {
        reply = chunkText(buffer, read.count);
    } else {
        notifier_.setStatus(StatusPane::Messages, kReadPortFailed);
    }
    if (command == kGetSysinfo && isAwaitedGetReply(reply, expected, length)) {
        reply = kOkResult;
    }
    return finishWait(std::move(reply));
}

std::optional<std::string> CommandChannel::exchange(std::string_view text, const ReplyRule& rule) {
    if (!SendCommand(text)) {
        return std::nullopt;
    }
    return WaitReply(rule);
}

}  // namespace quorvane
