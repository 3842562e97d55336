#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/message.h"

namespace quorvane {

// KB as "%.3f KB" below 1024, "%.3f MB" below 1048576, "%.3f GB" from there on.
std::string FormatMemorySize(double kilobytes);

// Below 1 GB of free space the user is warned.
inline constexpr double kLowFreeMemoryKb = 1048576.0;

struct VoltageReading {
    int integerPart = 0;
    std::string shown;  // the field up to one digit after its first "."
};

// The voltage field must have its first "." at position 1 or later and before its last
// character; nothing otherwise.
std::optional<VoltageReading> readVoltageField(std::string_view field);

// 11 V and up is normal; 10.x and below warns.
inline bool isBelowNormalVoltage(const VoltageReading& v) {
    return v.integerPart <= 10;
}

// The pane 0 text for a voltage, with the below-normal note when it is low.
Text voltageText(const VoltageReading& reading);

// The state code as the device means it: the low 8 bits.
int workStateCode(std::string_view field);

// Bit 0 low voltage, bit 3 file I/O error, bit 4 insufficient memory, then the code.
Text WorkStateText(int code);

// Exactly eight decimal digits.
bool IsValidDeviceId(std::string_view id);
// Not empty, starting with "v" or "V", made of "vV0123456789." only.
bool IsValidFirmwareVersion(std::string_view version);

Text deviceTitle(std::string_view id, std::string_view version);

}  // namespace quorvane
