#include "device/link/serial_port_factory.h"

#include "common/system_texts.h"
#include "device/link/traffic_log.h"

#if defined(_WIN32)
#include "device/link/win32_serial_port.h"
#else
#include "device/link/posix_serial_port.h"
#endif

namespace quorvane {

std::unique_ptr<SerialPort> makeSystemSerialPort(int baudRate) {
#if defined(_WIN32)
    std::unique_ptr<SerialPort> port = std::make_unique<Win32SerialPort>(baudRate);
#else
    std::unique_ptr<SerialPort> port = std::make_unique<PosixSerialPort>(WriteTimeouts{}, baudRate);
#endif
    const std::optional<std::string> logPath = environmentVariable(kSerialLogVariable);
    if (logPath && !logPath->empty()) {
        return std::make_unique<TrafficLogPort>(std::move(port), *logPath);
    }
    return port;
}

}  // namespace quorvane
