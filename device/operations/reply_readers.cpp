#include "device/operations/reply_readers.h"

#include "device/operations/display_rules.h"

namespace quorvane {

namespace {

Message warning(const char* zh, const char* en) {
    return {BoxType::WarningOkCancel, {zh, en}};
}

const Message kDeviceInfoNoMarkers =
    warning("获取设备ID与固件版本失败！", "Failed to get device ID and version number!");
const Message kDeviceInfoNoFields =
    warning("获取设备ID与固件版本失败！", "Failed to get Device ID and Firmware Version!");
const Message kVoltageFailed = warning("获取电压值失败！", "Failed to get the voltage!");
const Message kDepthIntervalFailed =
    warning("获取深度间隔失败！", "Failed to get the depth interval!");
const Message kAreaParametersFailed =
    warning("获取区域参数失败！", "Failed to get latitude parameters!");
const Message kMemoryFailed = warning("获取设备内存失败！", "Failed to get device memory!");
const Message kWorkStateFailed = warning("获取状态值失败！", "Failed to get status!");
const Message kLowMemory = warning("内存空间不足！", "Insufficient memory space!");

// The value, or nothing after showing the reader's failure box.
template <typename T>
std::optional<T> valueOrFail(CommandChannel& channel, const ReplyValue<T>& read,
                             const Message& failure) {
    if (!read) {
        channel.prompter().ask(failure);
        return std::nullopt;
    }
    return *read;
}

}  // namespace

std::optional<DeviceInfo> ReadDeviceInfo(CommandChannel& channel, DeviceValues& values,
                                         std::string_view reply) {
    const ReplyValue<DeviceInfo> read = parseDeviceInfo(reply);
    // A reply with its markers but without the fields has its own wording.
    const std::optional<DeviceInfo> info = valueOrFail(
        channel, read,
        read.error == FieldError::NoMarkers ? kDeviceInfoNoMarkers : kDeviceInfoNoFields);
    if (!info) {
        return std::nullopt;
    }
    values.deviceId = info->id;
    values.firmwareVersion = info->firmwareVersion;
    channel.notifier().setTitle(deviceTitle(values.deviceId, values.firmwareVersion));
    return info;
}

std::optional<VoltageReading> ReadVoltage(CommandChannel& channel, std::string_view reply) {
    const std::optional<VoltageReading> voltage =
        valueOrFail(channel, parseVoltage(reply), kVoltageFailed);
    if (!voltage) {
        return std::nullopt;
    }
    const Text text = voltageText(*voltage);
    channel.notifier().setStatus(StatusPane::Values, text);
    if (isBelowNormalVoltage(*voltage)) {
        channel.prompter().ask({BoxType::WarningOkCancel, text});
    }
    channel.clock().sleepMs(500);
    return voltage;
}

std::optional<double> ReadDepthInterval(CommandChannel& channel, DeviceValues& values,
                                        std::string_view reply) {
    const std::optional<double> interval =
        valueOrFail(channel, parseDepthInterval(reply), kDepthIntervalFailed);
    if (!interval) {
        return std::nullopt;
    }
    values.depthInterval = *interval;
    channel.notifier().refreshFields(values);
    return interval;
}

std::optional<AreaParameters> ReadAreaParameters(CommandChannel& channel, DeviceValues& values,
                                                 std::string_view reply) {
    const std::optional<AreaParameters> area =
        valueOrFail(channel, parseAreaParameters(reply), kAreaParametersFailed);
    if (!area) {
        return std::nullopt;
    }
    values.density = area->density;
    values.latitude = area->latitude;
    channel.notifier().refreshFields(values);
    return area;
}

std::optional<DeviceMemory> ReadMemory(CommandChannel& channel, DeviceValues& values,
                                       std::string_view reply) {
    const std::optional<DeviceMemory> memory =
        valueOrFail(channel, parseMemory(reply), kMemoryFailed);
    if (!memory) {
        return std::nullopt;
    }
    values.freeMemory = memory->free;
    values.totalMemory = memory->total;
    values.usedMemory = memory->used();
    if (values.freeMemory < kLowFreeMemoryKb) {
        channel.prompter().ask(kLowMemory);
    }
    channel.notifier().showMemory(FormatMemorySize(values.freeMemory),
                                  FormatMemorySize(values.usedMemory));
    return memory;
}

std::optional<WorkState> ReadWorkState(CommandChannel& channel, std::string_view reply) {
    const std::optional<WorkState> state =
        valueOrFail(channel, parseWorkState(reply), kWorkStateFailed);
    if (state) {
        channel.notifier().setStatus(StatusPane::Values, workStateText(*state));
    }
    return state;
}

}  // namespace quorvane
