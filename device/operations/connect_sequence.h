#pragma once

#include <functional>
#include <string>
#include <vector>

#include "device/operations/device_session.h"

namespace quorvane {

// Fills the list of candidate ports in probing order; 1, or -1 when there is no port list.
// EnumerateSerialPorts is the system's; the command line's --port gives a list of one.
using PortLister = std::function<int(std::vector<std::string>& ports)>;

// The lister when the port is known (the command line's --port, the virtual profiler's line).
PortLister onlyPort(std::string port);

enum class ConnectOutcome {
    Busy,               // a download runs: nothing done
    NoPortList,         // "No serial port!"
    NotFound,           // no port answered the probe
    LinkLost,           // a command could not be written after connecting
    IdentityFailed,     // five attempts without a valid ID and firmware version
    ReadoutIncomplete,  // a later read-out step got no reply
    Complete,
};

// Connect: closes the port, probes the listed ports in turn (each opened, asked for its sysinfo
// and closed again unless it answers), then reads the device's identity, voltage, settings,
// memory and state. The connected flag stays set once a port has answered, whatever the
// read-out brings, unless a write fails.
ConnectOutcome OnConnect(DeviceSession& session, const PortLister& listPorts);

}  // namespace quorvane
