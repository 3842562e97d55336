#include "device/operations/reply_readers.h"

#include <gtest/gtest.h>

#include "device/operations/display_rules.h"
#include "device/protocol/testing/channel_rig.h"

namespace quorvane {
namespace {

using Strings = std::vector<std::string>;

TEST(ReadDeviceInfo, StoresAndTitlesOrShowsWhichStepFailed) {
    ChannelRig rig;
    DeviceValues values;
    EXPECT_TRUE(ReadDeviceInfo(rig.channel, values, "$cmd,get,sysinfo,12345678,V1.2.3*ff\r\n"));
    EXPECT_EQ(values.deviceId, "12345678");
    EXPECT_EQ(values.firmwareVersion, "V1.2.3");
    EXPECT_EQ(rig.shown.events, Strings{"title: Device ID: 12345678   Firmware Version: V1.2.3"});
    EXPECT_EQ(rig.shown.texts[0].zh, " 设备ID：12345678   固件版本：V1.2.3");

    DeviceValues untouched;
    EXPECT_FALSE(ReadDeviceInfo(rig.channel, untouched, "$cm,get,sysinfo,1,2*ff\r\n"));
    EXPECT_FALSE(ReadDeviceInfo(rig.channel, untouched, "$cmd,get,sysinfo,12345678*ff\r\n"));
    EXPECT_EQ(Strings(rig.shown.events.begin() + 1, rig.shown.events.end()),
              (Strings{"box49: Failed to get device ID and version number!",
                       "box49: Failed to get Device ID and Firmware Version!"}));
    EXPECT_TRUE(untouched.deviceId.empty());

    // The title shows what came before it is checked: the device's GBK, decoded.
    ChannelRig gbk;
    ReadDeviceInfo(gbk.channel, untouched, "$cmd,get,sysinfo,\xB2\xE2\xCA\xD4,V1*ff\r\n");
    EXPECT_EQ(gbk.shown.events, Strings{"title: Device ID: 测试   Firmware Version: V1"});
}

TEST(ReadVoltage, DotRulesThresholdAndPause) {
    struct Case {
        std::string field;
        bool ok;
        Strings shown;
    };
    const std::string failed = "box49: Failed to get the voltage!";
    const Case cases[] = {
        {"12.5", true, {"pane0: Voltage: 12.5V"}},
        {"11.0", true, {"pane0: Voltage: 11.0V"}},
        {"12.56", true, {"pane0: Voltage: 12.5V"}},
        {"10.9",
         true,
         {"pane0: Voltage: 10.9V,Below normal voltage 11V",
          "box49: Voltage: 10.9V,Below normal voltage 11V"}},
        {"12", false, {failed}},
        {"12.", false, {failed}},
        {".5", false, {failed}},
        {"", false, {failed}},
        // Not digits: the device's bytes are decoded as its code page, never shown raw.
        {"12\xD6\xD0.5", true, {"pane0: Voltage: 12中.5V"}},
        {"12\xB7.5", true, {"pane0: Voltage: 12_.5V"}},
    };
    for (const Case& c : cases) {
        ChannelRig rig;
        EXPECT_EQ(ReadVoltage(rig.channel, "$cmd,get,voltage," + c.field + "*ff\r\n").has_value(),
                  c.ok)
            << c.field;
        EXPECT_EQ(rig.shown.events, c.shown) << c.field;
        EXPECT_EQ(rig.clock.sleeps(), c.ok ? std::vector<int>{500} : std::vector<int>{}) << c.field;
    }
    ChannelRig rig;
    ReadVoltage(rig.channel, "$cmd,get,voltage,12.5*ff\r\n");
    ReadVoltage(rig.channel, "$cmd,get,voltage,10.2*ff\r\n");
    EXPECT_EQ(rig.shown.texts[0].zh, "设备电压值：12.5V");
    EXPECT_EQ(rig.shown.texts[1].zh, "设备电压值：10.2V,低于正常工作电压11V");
}

TEST(FormatMemorySize, UnitsByMagnitude) {
    struct Case {
        double kb;
        const char* text;
    };
    const Case cases[] = {
        {0, "0.000 KB"},          {1023.5, "1023.500 KB"}, {1024, "1.000 MB"},
        {1048575, "1023.999 MB"}, {1048576, "1.000 GB"},   {-10, "-10.000 KB"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatMemorySize(c.kb), c.text) << c.kb;
    }
}

TEST(ReadMemory, StoresUsedAndWarnsBelowOneGigabyteFree) {
    struct Case {
        std::string reply;
        Strings shown;
        double used;
    };
    const Case cases[] = {
        {"$cmd,get,space,1048575,3145728*ff\r\n",
         {"box49: Insufficient memory space!", "memory: 1023.999 MB | 2.000 GB"},
         2097153},
        {"$cmd,get,space,1048576,3145728*ff\r\n", {"memory: 1.000 GB | 2.000 GB"}, 2097152},
    };
    for (const Case& c : cases) {
        ChannelRig rig;
        DeviceValues values;
        EXPECT_TRUE(ReadMemory(rig.channel, values, c.reply));
        EXPECT_EQ(rig.shown.events, c.shown) << c.reply;
        EXPECT_EQ(values.usedMemory, c.used) << c.reply;
    }
    ChannelRig rig;
    DeviceValues values;
    EXPECT_FALSE(ReadMemory(rig.channel, values, "$cmd,get,space,512*ff\r\n"));
    EXPECT_EQ(rig.shown.events, Strings{"box49: Failed to get device memory!"});
    EXPECT_EQ(values.freeMemory, 0.0);
}

TEST(ReadWorkState, BitTextsAndTheLowEightBitsOfTheCode) {
    struct Case {
        const char* field;
        const char* en;
        const char* zh;
    };
    const Case cases[] = {
        {"0", "Device OK! StateCode:0", "设备正常！ 状态码：0"},
        {"2", "Device OK! StateCode:2", "设备正常！ 状态码：2"},
        {"1", "Low Voltage! StateCode:1", "电压低！ 状态码：1"},
        {"8", "Fiel I/0 Error! StateCode:8", "文件读写错误！ 状态码：8"},
        {"25", "Low Voltage!Fiel I/0 Error!Insufficient memory! StateCode:25",
         "电压低！文件读写错误！内存不足！ 状态码：25"},
        {"256", "Device OK! StateCode:0", "设备正常！ 状态码：0"},
        {"265", "Low Voltage!Fiel I/0 Error! StateCode:9", "电压低！文件读写错误！ 状态码：9"},
        {"-1", "Low Voltage!Fiel I/0 Error!Insufficient memory! StateCode:255",
         "电压低！文件读写错误！内存不足！ 状态码：255"},
        {"x", "Device OK! StateCode:0", "设备正常！ 状态码：0"},
    };
    for (const Case& c : cases) {
        ChannelRig rig;
        EXPECT_TRUE(
            ReadWorkState(rig.channel, std::string("$cmd,get,workstate,") + c.field + "*ff\r\n"));
        ASSERT_EQ(rig.shown.texts.size(), 1u);
        EXPECT_EQ(rig.shown.events[0], std::string("pane0: ") + c.en);
        EXPECT_EQ(rig.shown.texts[0].zh, c.zh);
    }
    ChannelRig rig;
    EXPECT_FALSE(ReadWorkState(rig.channel, "$cmd,get,workstate*ff\r\n"));
    EXPECT_EQ(rig.shown.events, Strings{"box49: Failed to get status!"});
}

TEST(ReadSettings, StoreAndRefreshTheFieldsOrLeaveThemAlone) {
    ChannelRig rig;
    DeviceValues values;
    EXPECT_TRUE(ReadDepthInterval(rig.channel, values, "$cmd,get,depthscale, 0.25m*ff\r\n"));
    EXPECT_TRUE(ReadAreaParameters(rig.channel, values, "$cmd,get,areapara,1.025,-33.5*ff\r\n"));
    EXPECT_EQ(values.depthInterval, 0.25);
    EXPECT_EQ(values.density, 1.025);
    EXPECT_EQ(values.latitude, -33.5);
    EXPECT_EQ(rig.shown.events, (Strings{"fields", "fields"}));
    EXPECT_EQ(rig.shown.lastFields.density, 1.025);

    EXPECT_FALSE(ReadDepthInterval(rig.channel, values, "$cmd,get,depthscale*ff\r\n"));
    EXPECT_FALSE(ReadAreaParameters(rig.channel, values, "$cmd,get,areapara,1.5*ff\r\n"));
    EXPECT_EQ(Strings(rig.shown.events.begin() + 2, rig.shown.events.end()),
              (Strings{"box49: Failed to get the depth interval!",
                       "box49: Failed to get latitude parameters!"}));
    EXPECT_EQ(values.depthInterval, 0.25);
    EXPECT_EQ(values.density, 1.025);
}

}  // namespace
}  // namespace quorvane
