#pragma once

#include <string>
#include <string_view>

#include "common/message.h"
#include "device/link/clock.h"
#include "device/protocol/device_readings.h"

namespace quorvane {

// How the values read from the device are shown.

// KB as "%.3f KB" below 1024, "%.3f MB" below 1048576, "%.3f GB" from there on.
std::string FormatMemorySize(double kilobytes);

// Below 1 GB of free space the user is warned.
inline constexpr double kLowFreeMemoryKb = 1048576.0;

// 11 V and up is normal; 10.x and below warns.
inline bool isBelowNormalVoltage(const VoltageReading& v) {
    return v.integerPart <= 10;
}

// The pane 0 text for a voltage, with the below-normal note when it is low.
Text voltageText(const VoltageReading& reading);

// Low voltage, file I/O error and insufficient memory as the bits say, then the code.
Text workStateText(const WorkState& state);

Text deviceTitle(std::string_view id, std::string_view version);

// "%d-%02d-%02d %02d:%02d:%02d": a file's date in the list, the device clock.
std::string dateTimeText(const LocalDateTime& time);

}  // namespace quorvane
