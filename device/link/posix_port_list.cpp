#include <algorithm>
#include <system_error>

#include "device/link/port_list.h"

namespace quorvane {

namespace fs = std::filesystem;

int enumerateTtyPorts(std::vector<std::string>& ports, const fs::path& sysClassTty,
                      const fs::path& devDir, std::string_view extraPorts) {
    ports.clear();
    std::error_code error;
    fs::directory_iterator entries(sysClassTty, error);
    const bool systemListRead = !error;
    if (systemListRead) {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : entries) {
            // Virtual terminals and pseudo-terminals have no driver behind them; real serial
            // hardware (ttyS, ttyUSB, ttyACM, ...) does.
            if (fs::exists(entry.path() / "device" / "driver", error)) {
                names.push_back(entry.path().filename().string());
            }
        }
        std::sort(names.begin(), names.end(),
                  [](const std::string& a, const std::string& b) { return naturalLess(a, b); });
        for (const std::string& name : names) {
            ports.push_back((devDir / name).string());
        }
    }
    return finishPortList(systemListRead, ports, extraPorts);
}

int EnumerateSerialPorts(std::vector<std::string>& ports) {
    return enumerateTtyPorts(ports, "/sys/class/tty", "/dev", extraPortsFromEnvironment());
}

}  // namespace quorvane
