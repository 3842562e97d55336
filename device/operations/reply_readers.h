#pragma once

#include <optional>
#include <string_view>

#include "device/protocol/command_channel.h"
#include "device/protocol/device_readings.h"
#include "device/protocol/device_values.h"

namespace quorvane {

// The readers of the get-replies. Each stores what it read and shows it through the channel's
// notifier (and a box where a value calls for one), then returns it; or shows its own failure
// box, stores nothing and returns nothing.

// sysinfo: device ID and firmware version; sets the window title. The connect sequence checks
// them with isValidDeviceId / isValidFirmwareVersion afterwards.
std::optional<DeviceInfo> ReadDeviceInfo(CommandChannel& channel, DeviceValues& values,
                                         std::string_view reply);
// voltage: pane 0, a warning box when below normal, then a 500 ms pause.
std::optional<VoltageReading> ReadVoltage(CommandChannel& channel, std::string_view reply);
// depthscale: stores the depth interval and refreshes the fields.
std::optional<double> ReadDepthInterval(CommandChannel& channel, DeviceValues& values,
                                        std::string_view reply);
// areapara: stores density and latitude and refreshes the fields.
std::optional<AreaParameters> ReadAreaParameters(CommandChannel& channel, DeviceValues& values,
                                                 std::string_view reply);
// space: stores free, total and used memory, warns below 1 GB free, shows the two texts.
std::optional<DeviceMemory> ReadMemory(CommandChannel& channel, DeviceValues& values,
                                       std::string_view reply);
// workstate: the bit texts and the code in pane 0.
std::optional<WorkState> ReadWorkState(CommandChannel& channel, std::string_view reply);

}  // namespace quorvane
