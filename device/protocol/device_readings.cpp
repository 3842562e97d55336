#include "device/protocol/device_readings.h"

#include <cstdint>

#include "device/protocol/leading_number.h"

namespace quorvane {

namespace {

// The reply's fields turned into a value, or the cutter's error carried over.
template <typename T, typename Convert>
ReplyValue<T> readFields(std::string_view reply, int commaCount, Convert convert) {
    const ReplyFields fields = ReplyField(reply, commaCount);
    if (fields.error != FieldError::None) {
        return {fields.error, {}};
    }
    return {FieldError::None, convert(fields)};
}

}  // namespace

ReplyValue<DeviceInfo> parseDeviceInfo(std::string_view reply) {
    return readFields<DeviceInfo>(reply, 4, [](const ReplyFields& f) {
        return DeviceInfo{f.first, f.second};
    });
}

ReplyValue<VoltageReading> parseVoltage(std::string_view reply) {
    const ReplyFields fields = ReplyField(reply, 3);
    if (fields.error != FieldError::None) {
        return {fields.error, {}};
    }
    const std::string_view field = fields.first;
    const size_t dot = field.find('.');
    if (dot == std::string_view::npos || dot < 1 || dot + 1 >= field.size()) {
        return {FieldError::BadValue, {}};
    }
    return {FieldError::None,
            {parseLeadingInt(field.substr(0, dot)), std::string(field.substr(0, dot + 2))}};
}

ReplyValue<double> parseDepthInterval(std::string_view reply) {
    return readFields<double>(reply, 3,
                              [](const ReplyFields& f) { return parseLeadingDouble(f.first); });
}

ReplyValue<AreaParameters> parseAreaParameters(std::string_view reply) {
    return readFields<AreaParameters>(reply, 4, [](const ReplyFields& f) {
        return AreaParameters{parseLeadingDouble(f.first), parseLeadingDouble(f.second)};
    });
}

ReplyValue<DeviceMemory> parseMemory(std::string_view reply) {
    return readFields<DeviceMemory>(reply, 4, [](const ReplyFields& f) {
        return DeviceMemory{parseLeadingDouble(f.first), parseLeadingDouble(f.second)};
    });
}

ReplyValue<WorkState> parseWorkState(std::string_view reply) {
    return readFields<WorkState>(
        reply, 3, [](const ReplyFields& f) { return WorkState{parseLeadingInt(f.first) & 0xFF}; });
}

std::optional<LocalDateTime> parseClockReply(std::string_view reply) {
    // "get", "utctime", then year, month, day, hour, minute and second.
    const auto fields = commaFields(reply, 8);
    if (!fields) {
        return std::nullopt;
    }
    const auto field = [&](size_t i) { return int(uint16_t(parseLeadingInt((*fields)[i + 2]))); };
    return LocalDateTime{field(0), field(1), field(2), field(3), field(4), field(5)};
}

bool isValidDeviceId(std::string_view id) {
    return id.size() == 8 && id.find_first_not_of("0123456789") == std::string_view::npos;
}

bool isValidFirmwareVersion(std::string_view version) {
    return !version.empty() && (version.front() == 'v' || version.front() == 'V') &&
           version.find_first_not_of("vV0123456789.") == std::string_view::npos;
}

}  // namespace quorvane
