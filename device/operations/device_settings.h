#pragma once

#include <optional>

#include "common/message.h"
#include "device/link/clock.h"
#include "device/operations/device_session.h"

namespace quorvane {

// Asked before the settings go out: Yes also sets the device clock from the PC's local time.
extern const Message kSetClockQuestion;

struct DeviceSettings {
    double density = 1.0;        // g/cm3, not below 0
    double latitude = 30.0;      // degrees, any value
    double depthInterval = 0.5;  // metres, not below 0.1
};

enum class SetOutcome { Refused, Invalid, LinkLost, Failed, Succeeded };

// Set: the values as typed become the session's; a density below 0 or an interval below 0.1 is
// refused before anything is sent. Otherwise the clock question, then the clock (on Yes), the
// area parameters and the depth interval, each followed by 100 ms; a refused step does not
// stop the others, only a failed write does.
SetOutcome OnSetParameters(DeviceSession& session, const DeviceSettings& settings);

// Read time: the device clock as "%d-%02d-%02d %02d:%02d:%02d" in pane 1 and a box, and
// returned. Nothing without a usable reply.
std::optional<LocalDateTime> OnReadTime(DeviceSession& session);

}  // namespace quorvane
