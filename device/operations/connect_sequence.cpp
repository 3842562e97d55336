#include "device/operations/connect_sequence.h"

#include <optional>

#include "device/link/port_list.h"
#include "device/operations/command_guards.h"
#include "device/operations/reply_readers.h"
#include "device/protocol/command_texts.h"

namespace quorvane {

namespace {

constexpr int kIdentityAttempts = 5;

const Text kNoSerialPort{"未发现串口！", "No serial port!"};
const Text kConnectFailedStatus{"设备连接失败！", "Device Connect Failed!"};
const Message kConnectFailedBox{BoxType::Warning, {"设备连接失败！", "Device Connection Failed!"}};
const Text kConnected{"设备连接成功！", "Device Connected!"};
const Text kIdentityFailedTitle{"未能获取设备ID和固件版本",
                                "Failed to get Device ID and Firmware Version!"};

// One step of the read-out after the identity: its reply rule, where and what it shows when
// the device stays silent, and the reader for the reply.
struct ReadoutStep {
    ReplyRule rule;
    StatusPane failurePane;
    Text failure;
    void (*read)(DeviceSession& session, std::string_view reply);
};

const ReadoutStep kReadoutSteps[] = {
    {kVoltageReply,
     StatusPane::Values,
     {"未能获取设备电池电压值", "Failed to get voltage"},
     [](DeviceSession& s, std::string_view reply) {
         s.readout().voltage = ReadVoltage(s.channel(), reply);
     }},
    {kDepthScaleReply,
     StatusPane::Messages,
     {"未能获取深度间隔", "Failed to get interval"},
     [](DeviceSession& s, std::string_view reply) {
         ReadDepthInterval(s.channel(), s.values(), reply);
     }},
    {kAreaParaReply,
     StatusPane::Messages,
     {"未能获取区域参数", "Failed to get latitude"},
     [](DeviceSession& s, std::string_view reply) {
         ReadAreaParameters(s.channel(), s.values(), reply);
     }},
    {kSpaceReply,
     StatusPane::Messages,
     {"未能获取设备存储空间值", "Failed to get device memory"},
     [](DeviceSession& s, std::string_view reply) { ReadMemory(s.channel(), s.values(), reply); }},
    {kWorkStateReply,
     StatusPane::Messages,
     {"未能获取工作状态", "Failed to get device status"},
     [](DeviceSession& s, std::string_view reply) {
         s.readout().workState = ReadWorkState(s.channel(), reply);
     }},
};

bool probe(CommandChannel& channel, const std::vector<std::string>& ports) {
    SerialPort& port = channel.port();
    for (size_t i = 0; i < ports.size() && i < kMaxPorts && !ports[i].empty(); ++i) {
        if (!port.open(ports[i])) {
            continue;
        }
        if (channel.WriteCommand(kGetSysinfo) &&
            channel.ProbeReply(kSysinfoReply.command, kSysinfoReply.expected,
                               kSysinfoReply.length) == kOkResult) {
            return true;
        }
        port.close();
    }
    return false;
}

// Up to five sysinfo exchanges until the device names a valid ID and firmware version.
// Nothing when a command cannot be written.
std::optional<bool> readIdentity(DeviceSession& session) {
    DeviceValues& values = session.values();
    for (int attempt = 0; attempt < kIdentityAttempts; ++attempt) {
        const std::optional<std::string> reply = session.channel().exchange(kSysinfoReply);
        if (!reply) {
            return std::nullopt;
        }
        if (reply->empty()) {
            continue;
        }
        ReadDeviceInfo(session.channel(), values, *reply);
        if (isValidDeviceId(values.deviceId) && isValidFirmwareVersion(values.firmwareVersion)) {
            return true;
        }
    }
    return false;
}

}  // namespace

PortLister onlyPort(std::string port) {
    return [port = std::move(port)](std::vector<std::string>& ports) {
        ports = {port};
        return 1;
    };
}

ConnectOutcome OnConnect(DeviceSession& session, const PortLister& listPorts) {
    if (!passesBusyGuard(session)) {
        return ConnectOutcome::Busy;
    }
    CommandChannel& channel = session.channel();
    DeviceNotifier& notifier = session.notifier();
    channel.port().close();
    channel.setConnected(false);
    // Nothing of an earlier device may name this one's download folder.
    session.values().deviceId.clear();
    session.values().firmwareVersion.clear();
    session.readout() = {};

    std::vector<std::string> ports;
    if (listPorts(ports) == -1) {
        notifier.setStatus(StatusPane::Messages, kNoSerialPort);
        return ConnectOutcome::NoPortList;
    }
    channel.setConnected(probe(channel, ports));
    notifier.setStatus(StatusPane::Values, {});
    if (!channel.connected()) {
        notifier.setStatus(StatusPane::Messages, kConnectFailedStatus);
        session.prompter().ask(kConnectFailedBox);
        return ConnectOutcome::NotFound;
    }
    notifier.setStatus(StatusPane::Messages, kConnected);
    session.prompter().ask({BoxType::Information, kConnected});
    session.setRows({});

    const std::optional<bool> identified = readIdentity(session);
    if (!identified) {
        return ConnectOutcome::LinkLost;
    }
    if (!*identified) {
        notifier.setTitle(kIdentityFailedTitle);
        notifier.setStatus(StatusPane::Values, {});
        return ConnectOutcome::IdentityFailed;
    }
    for (const ReadoutStep& step : kReadoutSteps) {
        const std::optional<std::string> reply = channel.exchange(step.rule);
        if (!reply) {
            return ConnectOutcome::LinkLost;
        }
        if (reply->empty()) {
            notifier.setStatus(step.failurePane, step.failure);
            return ConnectOutcome::ReadoutIncomplete;
        }
        // A reader that fails shows its own box; the read-out goes on.
        step.read(session, *reply);
    }
    return ConnectOutcome::Complete;
}

}  // namespace quorvane
