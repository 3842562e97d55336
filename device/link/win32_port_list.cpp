#include "device/link/win32_api.h"

#include <cstring>

#include "device/link/port_list.h"

namespace quorvane {

namespace {

// Port names such as COM3 are short; a value whose data does not fit is not a port name we
// could open and is passed over (its data buffer is not filled in that case).
constexpr DWORD kDataSize = 25;
// Value names such as \Device\Serial0 vary by driver and may be long; they are not used, so
// they get room enough never to cut a listing short.
constexpr DWORD kNameSize = 256;

bool readSystemPorts(std::vector<std::string>& ports) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM\\", 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    for (DWORD index = 0; ports.size() < kMaxPorts; ++index) {
        char name[kNameSize];
        BYTE data[kDataSize] = {};
        DWORD nameSize = kNameSize;
        DWORD dataSize = kDataSize;
        DWORD type = 0;
        const LSTATUS result =
            RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data, &dataSize);
        if (result == ERROR_MORE_DATA) {
            continue;
        }
        if (result != ERROR_SUCCESS) {
            break;
        }
        if (type == REG_SZ && dataSize > 0) {
            const char* text = reinterpret_cast<const char*>(data);
            ports.emplace_back(text, strnlen(text, dataSize));
        }
    }
    RegCloseKey(key);
    return true;
}

}  // namespace

int EnumerateSerialPorts(std::vector<std::string>& ports) {
    ports.clear();
    const bool systemListRead = readSystemPorts(ports);
    return finishPortList(systemListRead, ports, extraPortsFromEnvironment());
}

}  // namespace quorvane
