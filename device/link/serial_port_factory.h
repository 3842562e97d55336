#pragma once

#include <memory>

#include "device/link/serial_port.h"

namespace quorvane {

// The platform's port, closed, wrapped in the traffic log when QUORVANE_SERIAL_LOG names a
// file.
std::unique_ptr<SerialPort> makeSystemSerialPort();

}  // namespace quorvane
