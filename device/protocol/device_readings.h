#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "device/link/clock.h"
#include "device/protocol/reply_field.h"

namespace quorvane {

// The values the get-replies carry, taken out of the wire text and nothing more: what is shown
// of them, and when, is the business of the operations.

// A value read from a get-reply, or why it could not be read.
template <typename T>
struct ReplyValue {
    FieldError error = FieldError::None;
    T value{};

    explicit operator bool() const { return error == FieldError::None; }
    const T& operator*() const { return value; }
    const T* operator->() const { return &value; }
};

struct DeviceInfo {
    std::string id;
    std::string firmwareVersion;
};

struct VoltageReading {
    int integerPart = 0;
    std::string shown;  // the field up to one digit after its first "."
};

struct AreaParameters {
    double density = 0.0;   // g/cm3
    double latitude = 0.0;  // degrees
};

struct DeviceMemory {
    double free = 0.0;   // KB
    double total = 0.0;  // KB
    double used() const { return total - free; }
};

struct WorkState {
    int code = 0;  // the low 8 bits of the field
    bool lowVoltage() const { return (code & 1) != 0; }
    bool fileError() const { return (code & 8) != 0; }
    bool memoryFull() const { return (code & 16) != 0; }
    bool operator==(const WorkState&) const = default;
};

// "$cmd,get,sysinfo,<ID>,<firmware>*ff"
ReplyValue<DeviceInfo> parseDeviceInfo(std::string_view reply);
// "$cmd,get,voltage,<V>*ff": the field must have its first "." at position 1 or later and
// before its last character (BadValue otherwise).
ReplyValue<VoltageReading> parseVoltage(std::string_view reply);
// "$cmd,get,depthscale,<m>*ff"
ReplyValue<double> parseDepthInterval(std::string_view reply);
// "$cmd,get,areapara,<density>,<latitude>*ff"
ReplyValue<AreaParameters> parseAreaParameters(std::string_view reply);
// "$cmd,get,space,<free KB>,<total KB>*ff"
ReplyValue<DeviceMemory> parseMemory(std::string_view reply);
// "$cmd,get,workstate,<code>*ff"
ReplyValue<WorkState> parseWorkState(std::string_view reply);

// The clock fields of a "$cmd,get,utctime,Y,M,D,h,m,s*ff" reply, each modulo 65536; nothing
// when a comma or the closing '*' is missing. The clock reply is not checked for the markers.
std::optional<LocalDateTime> parseClockReply(std::string_view reply);

// Exactly eight decimal digits.
bool isValidDeviceId(std::string_view id);
// Not empty, starting with "v" or "V", made of "vV0123456789." only.
bool isValidFirmwareVersion(std::string_view version);

}  // namespace quorvane
