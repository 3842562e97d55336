#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

inline constexpr size_t kMaxPorts = 256;

// Names of ports that the system does not list itself (a pseudo-terminal of the virtual
// profiler, a port behind an unusual driver), separated by ':'.
inline constexpr const char* kExtraPortsVariable = "QUORVANE_EXTRA_PORTS";

// Fills `ports` with the system's serial ports in a stable order (registry value order on
// Windows; /dev paths of the ttys that have a device driver, in natural order, elsewhere),
// then the extra ports, at most kMaxPorts names. Returns 1, or -1 when the system's list
// cannot be read and no extra port is named either.
int EnumerateSerialPorts(std::vector<std::string>& ports);

#if !defined(_WIN32)
// The POSIX listing over any sysfs class folder and device folder, so tests can build their
// own tree.
int enumerateTtyPorts(std::vector<std::string>& ports, const std::filesystem::path& sysClassTty,
                      const std::filesystem::path& devDir, std::string_view extraPorts);
#endif

// Orders ttyS2 before ttyS10: runs of digits compare by value.
bool naturalLess(std::string_view a, std::string_view b);

// Ends a listing: appends the extra ports that are not there yet, caps the list, and decides
// the result from whether the system's own list could be read.
int finishPortList(bool systemListRead, std::vector<std::string>& ports,
                   std::string_view extraPorts);

// The extra-port variable's value, or an empty text.
std::string extraPortsFromEnvironment();

}  // namespace quorvane
