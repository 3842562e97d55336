#include "device/operations/display_rules.h"

#include "common/gbk_text.h"
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

Text voltageText(const VoltageReading& reading) {
    // The field is the device's text: bytes in its code page, like its ID.
    const std::string decoded = gbkToUtf8(reading.shown);
    const char* shown = decoded.c_str();
    if (isBelowNormalVoltage(reading)) {
        return {strformat("设备电压值：%sV,低于正常工作电压11V", shown),
                strformat("Voltage: %sV,Below normal voltage 11V", shown)};
    }
    return {strformat("设备电压值：%sV", shown), strformat("Voltage: %sV", shown)};
}

Text workStateText(const WorkState& state) {
    struct Bit {
        bool set;
        Text text;
    };
    const Bit bits[] = {
        {state.lowVoltage(), {"电压低！", "Low Voltage!"}},
        {state.fileError(), {"文件读写错误！", "Fiel I/0 Error!"}},
        {state.memoryFull(), {"内存不足！", "Insufficient memory!"}},
    };
    Text text;
    for (const Bit& bit : bits) {
        if (bit.set) {
            text.zh += bit.text.zh;
            text.en += bit.text.en;
        }
    }
    if (text.en.empty()) {
        return {strformat("设备正常！ 状态码：%d", state.code),
                strformat("Device OK! StateCode:%d", state.code)};
    }
    text.zh += strformat(" 状态码：%d", state.code);
    text.en += strformat(" StateCode:%d", state.code);
    return text;
}

Text deviceTitle(std::string_view id, std::string_view version) {
    // Shown before they are checked, so whatever bytes the device sent: decoded as its texts.
    const std::string i = gbkToUtf8(id);
    const std::string v = gbkToUtf8(version);
    return {strformat(" 设备ID：%s   固件版本：%s", i.c_str(), v.c_str()),
            strformat("Device ID: %s   Firmware Version: %s", i.c_str(), v.c_str())};
}

std::string dateTimeText(const LocalDateTime& time) {
    return strformat("%d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                     time.minute, time.second);
}

}  // namespace quorvane
