#pragma once

#include <memory>

#include "device/link/serial_port.h"

namespace quorvane {

// The platform's port, closed, wrapped in the traffic log when QUORVANE_SERIAL_LOG names a
// file; `baudRate` one of kStandardBaudRates.
std::unique_ptr<SerialPort> makeSystemSerialPort(int baudRate = kDeviceBaudRate);

}  // namespace quorvane
