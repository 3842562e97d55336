#include "device/protocol/reply_readers.h"

#include "device/protocol/display_rules.h"
#include "device/protocol/leading_number.h"
#include "device/protocol/reply_field.h"

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

// The fields of a reply, or nothing after showing the reader's failure box (which may differ
// for a reply without a delimiter it needs).
std::optional<ReplyFields> fieldsOrFail(CommandChannel& channel, std::string_view reply,
                                        int commaCount, const Message& failure,
                                        const Message* delimiterFailure = nullptr) {
    ReplyFields fields = ReplyField(reply, commaCount);
    if (fields.error == FieldError::None) {
        return fields;
    }
    const bool delimiters = fields.error == FieldError::NoDelimiters && delimiterFailure;
    channel.prompter().ask(delimiters ? *delimiterFailure : failure);
    return std::nullopt;
}

}  // namespace

bool ReadDeviceInfo(CommandChannel& channel, DeviceValues& values, std::string_view reply) {
    const auto fields = fieldsOrFail(channel, reply, 4, kDeviceInfoNoMarkers, &kDeviceInfoNoFields);
    if (!fields) {
        return false;
    }
    values.deviceId = fields->first;
    values.firmwareVersion = fields->second;
    channel.notifier().setTitle(deviceTitle(values.deviceId, values.firmwareVersion));
    return true;
}

bool ReadVoltage(CommandChannel& channel, std::string_view reply) {
    const auto fields = fieldsOrFail(channel, reply, 3, kVoltageFailed);
    if (!fields) {
        return false;
    }
    const std::optional<VoltageReading> voltage = readVoltageField(fields->first);
    if (!voltage) {
        channel.prompter().ask(kVoltageFailed);
        return false;
    }
    const Text text = voltageText(*voltage);
    channel.notifier().setStatus(StatusPane::Values, text);
    if (isBelowNormalVoltage(*voltage)) {
        channel.prompter().ask({BoxType::WarningOkCancel, text});
    }
    channel.clock().sleepMs(500);
    return true;
}

bool ReadDepthInterval(CommandChannel& channel, DeviceValues& values, std::string_view reply) {
    const auto fields = fieldsOrFail(channel, reply, 3, kDepthIntervalFailed);
    if (!fields) {
        return false;
    }
    values.depthInterval = parseLeadingDouble(fields->first);
    channel.notifier().refreshFields(values);
    return true;
}

bool ReadAreaParameters(CommandChannel& channel, DeviceValues& values, std::string_view reply) {
    const auto fields = fieldsOrFail(channel, reply, 4, kAreaParametersFailed);
    if (!fields) {
        return false;
    }
    values.density = parseLeadingDouble(fields->first);
    values.latitude = parseLeadingDouble(fields->second);
    channel.notifier().refreshFields(values);
    return true;
}

bool ReadMemory(CommandChannel& channel, DeviceValues& values, std::string_view reply) {
    const auto fields = fieldsOrFail(channel, reply, 4, kMemoryFailed);
    if (!fields) {
        return false;
    }
    values.freeMemory = parseLeadingDouble(fields->first);
    values.totalMemory = parseLeadingDouble(fields->second);
    values.usedMemory = values.totalMemory - values.freeMemory;
    if (values.freeMemory < kLowFreeMemoryKb) {
        channel.prompter().ask(kLowMemory);
    }
    channel.notifier().showMemory(FormatMemorySize(values.freeMemory),
                                  FormatMemorySize(values.usedMemory));
    return true;
}

bool ReadWorkState(CommandChannel& channel, std::string_view reply) {
    const auto fields = fieldsOrFail(channel, reply, 3, kWorkStateFailed);
    if (!fields) {
        return false;
    }
    channel.notifier().setStatus(StatusPane::Values, WorkStateText(workStateCode(fields->first)));
    return true;
}

}  // namespace quorvane
