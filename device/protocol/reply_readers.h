#pragma once

#include <string_view>

#include "device/protocol/command_channel.h"
#include "device/protocol/device_values.h"

namespace quorvane {

// The readers of the get-replies. Each stores its values and shows them through the channel's
// notifier (and a box where a value calls for one), or shows its own failure box, stores
// nothing and returns false.

// sysinfo: device ID and firmware version; sets the window title. The connect sequence checks
// the stored values with IsValidDeviceId / IsValidFirmwareVersion afterwards.
bool ReadDeviceInfo(CommandChannel& channel, DeviceValues& values, std::string_view reply);
// voltage: pane 0, a warning box when below normal, then a 500 ms pause.
bool ReadVoltage(CommandChannel& channel, std::string_view reply);
// depthscale: stores the depth interval and refreshes the fields.
bool ReadDepthInterval(CommandChannel& channel, DeviceValues& values, std::string_view reply);
// areapara: stores density and latitude and refreshes the fields.
bool ReadAreaParameters(CommandChannel& channel, DeviceValues& values, std::string_view reply);
// space: stores free, total and used memory, warns below 1 GB free, shows the two texts.
bool ReadMemory(CommandChannel& channel, DeviceValues& values, std::string_view reply);
// workstate: the bit texts and the code in pane 0.
bool ReadWorkState(CommandChannel& channel, std::string_view reply);

}  // namespace quorvane
