#include "device/protocol/display_rules.h"

#include "common/strformat.h"
#include "device/protocol/leading_number.h"

namespace quorvane {

std::string FormatMemorySize(double kilobytes) {
    if (kilobytes < 1024.0) {
        return formatFixed(kilobytes, 3) + " KB";
    }
    if (kilobytes < 1048576.0) {
        return formatFixed(kilobytes * 0.0009765625, 3) + " MB";
    }
    return formatFixed(kilobytes / 1048576.0, 3) + " GB";
}

std::optional<VoltageReading> readVoltageField(std::string_view field) {
    const size_t dot = field.find('.');
    if (dot == std::string_view::npos || dot < 1 || dot + 1 >= field.size()) {
        return std::nullopt;
    }
    return VoltageReading{parseLeadingInt(field.substr(0, dot)),
                          std::string(field.substr(0, dot + 2))};
}

Text voltageText(const VoltageReading& reading) {
    const char* shown = reading.shown.c_str();
    if (isBelowNormalVoltage(reading)) {
        return {strformat("设备电压值：%sV,低于正常工作电压11V", shown),
                strformat("Voltage: %sV,Below normal voltage 11V", shown)};
    }
    return {strformat("设备电压值：%sV", shown), strformat("Voltage: %sV", shown)};
}

int workStateCode(std::string_view field) {
    return parseLeadingInt(field) & 0xFF;
}

Text WorkStateText(int code) {
    struct Bit {
        int mask;
        Text text;
    };
    static const Bit kBits[] = {
        {1, {"电压低！", "Low Voltage!"}},
        {8, {"文件读写错误！", "Fiel I/0 Error!"}},
        {16, {"内存不足！", "Insufficient memory!"}},
    };
    Text text;
    for (const Bit& bit : kBits) {
        if ((code & bit.mask) != 0) {
            text.zh += bit.text.zh;
            text.en += bit.text.en;
        }
    }
    if (text.en.empty()) {
        return {strformat("设备正常！ 状态码：%d", code),
                strformat("Device OK! StateCode:%d", code)};
    }
    text.zh += strformat(" 状态码：%d", code);
    text.en += strformat(" StateCode:%d", code);
    return text;
}

bool IsValidDeviceId(std::string_view id) {
    return id.size() == 8 && id.find_first_not_of("0123456789") == std::string_view::npos;
}

bool IsValidFirmwareVersion(std::string_view version) {
    return !version.empty() && (version.front() == 'v' || version.front() == 'V') &&
           version.find_first_not_of("vV0123456789.") == std::string_view::npos;
}

Text deviceTitle(std::string_view id, std::string_view version) {
    const std::string i(id);
    const std::string v(version);
    return {strformat(" 设备ID：%s   固件版本：%s", i.c_str(), v.c_str()),
            strformat("Device ID: %s   Firmware Version: %s", i.c_str(), v.c_str())};
}

}  // namespace quorvane
