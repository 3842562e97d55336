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

TEST(ReplyValues, WhyAReplyCouldNotBeRead) {
    struct Case {
        FieldError got;
        FieldError expected;
        const char* what;
    };
    const Case cases[] = {
        {parseVoltage("$cmd,get,voltage,12*ff\r\n").error, FieldError::BadValue, "no dot"},
        {parseVoltage("$cm,get,voltage,12.5*ff").error, FieldError::NoMarkers, "no d"},
        {parseVoltage("$cmd,get,voltage*ff\r\n").error, FieldError::NoDelimiters, "no field"},
        {parseDeviceInfo("$cmd,get,sysinfo,12345678*ff\r\n").error, FieldError::NoDelimiters,
         "one field of two"},
        {parseMemory("$cmd,get,space,512*ff\r\n").error, FieldError::NoDelimiters, "no total"},
        {parseWorkState("$cmd,get,workstate,x*ff\r\n").error, FieldError::None, "atoi of x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.got, c.expected) << c.what;
    }
}

TEST(ReplyValues, TheValuesThemselves) {
    const auto memory = parseMemory("$cmd,get,space,1048575,3145728*ff\r\n");
    ASSERT_TRUE(memory);
    EXPECT_EQ(memory->free, 1048575.0);
    EXPECT_EQ(memory->total, 3145728.0);
    EXPECT_EQ(memory->used(), 2097153.0);

    const auto area = parseAreaParameters("$cmd,get,areapara,1.025,-33.5*ff\r\n");
    ASSERT_TRUE(area);
    EXPECT_EQ(area->density, 1.025);
    EXPECT_EQ(area->latitude, -33.5);

    const auto voltage = parseVoltage("$cmd,get,voltage, 10.96*ff\r\n");
    ASSERT_TRUE(voltage);
    EXPECT_EQ(voltage->integerPart, 10);
    EXPECT_EQ(voltage->shown, " 10.9");

    struct Bits {
        const char* field;
        int code;
        bool lowVoltage, fileError, memoryFull;
    };
    const Bits states[] = {
        {"25", 25, true, true, true},
        {"265", 9, true, true, false},
        {"16", 16, false, false, true},
        {"6", 6, false, false, false},
    };
    for (const Bits& b : states) {
        const auto state = parseWorkState(std::string("$cmd,get,workstate,") + b.field + "*ff");
        ASSERT_TRUE(state) << b.field;
        EXPECT_EQ(state->code, b.code) << b.field;
        EXPECT_EQ(state->lowVoltage(), b.lowVoltage) << b.field;
        EXPECT_EQ(state->fileError(), b.fileError) << b.field;
        EXPECT_EQ(state->memoryFull(), b.memoryFull) << b.field;
    }
}

}  // namespace
}  // namespace quorvane
