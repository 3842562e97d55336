#pragma once

#include "common/message.h"
#include "device/operations/device_session.h"

namespace quorvane {

extern const Message kBusyBox;
extern const Message kNotConnectedBox;

// While a download runs: the busy box, and false.
bool passesBusyGuard(DeviceSession& session);
// While no device is connected: the not-connected box, and false.
bool passesConnectedGuard(DeviceSession& session);
// Both, busy first: the guards of every device button but Connect.
bool passesCommandGuards(DeviceSession& session);

}  // namespace quorvane
