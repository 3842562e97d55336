#include "device/protocol/device_readings.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

TEST(ReplyField, CutsFieldsAfterTheEchoesCommas) {
    struct Case {
        std::string reply;
        int commas;
        FieldError error;
        std::string first;
        std::string second;
    };
    const Case cases[] = {
        {"$cmd,get,voltage,12.5*ff\r\n", 3, FieldError::None, "12.5", ""},
        {"$cmd,get,space,100,200*ff\r\n", 4, FieldError::None, "100", "200"},
        {"$cmd,get,sysinfo,,*ff\r\n", 4, FieldError::None, "", ""},
        {"$cmd,get,workstate,7*junk*ff\r\n", 3, FieldError::None, "7", ""},
        {"$cmd,get,space,100,200,300*ff\r\n", 4, FieldError::None, "100", "200,300"},
        {"$cmd,get,voltage,12.5**ff", 3, FieldError::None, "12.5", ""},
        {"$cm,get,voltage,12.5*ff", 3, FieldError::NoMarkers, "", ""},     // no "d"
        {"$cmd,get,voltage,12.5*\r\n", 3, FieldError::NoMarkers, "", ""},  // no "f"
        {"$cmd,get,space,100*ff\r\n", 4, FieldError::NoDelimiters, "", ""},
        {"$cmd,get,voltage,12.5ff\r\n", 3, FieldError::NoDelimiters, "", ""},
        {"$cmd,get,voltage*ff,12.5", 3, FieldError::NoDelimiters, "", ""},  // no "*" after it
    };
    for (const Case& c : cases) {
        const ReplyFields fields = ReplyField(c.reply, c.commas);
        EXPECT_EQ(fields.error, c.error) << c.reply;
        EXPECT_EQ(fields.first, c.first) << c.reply;
        EXPECT_EQ(fields.second, c.second) << c.reply;
    }
}

TEST(DeviceInfoValidation, IdOfEightDigitsAndVersionStartingWithV) {
    for (const char* id : {"12345678", "00000000"}) {
        EXPECT_TRUE(isValidDeviceId(id)) << id;
    }
    for (const char* id : {"1234567", "123456789", "1234567a", "", " 1234567", "-1234567"}) {
        EXPECT_FALSE(isValidDeviceId(id)) << id;
    }
    for (const char* v : {"v1.2", "V10.0.3", "v", "Vv.9"}) {
        EXPECT_TRUE(isValidFirmwareVersion(v)) << v;
    }
    for (const char* v : {"", "1.2", "v1.2b", "V 1.2", ".v1", "v1,2"}) {
        EXPECT_FALSE(isValidFirmwareVersion(v)) << v;
    }
}

// Memory, area parameters and work-state bits are checked through the readers that show them.
TEST(ReplyValues, VoltageKeepsOneDigitAfterTheDotAsSent) {
    const auto voltage = parseVoltage("$cmd,get,voltage, 10.96*ff\r\n");
    ASSERT_TRUE(voltage);
    EXPECT_EQ(voltage->integerPart, 10);
    EXPECT_EQ(voltage->shown, " 10.9");
}

}  // namespace
}  // namespace quorvane
