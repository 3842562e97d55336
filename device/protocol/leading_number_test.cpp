#include "device/protocol/leading_number.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace quorvane {
namespace {

TEST(LeadingNumber, IntegersReadLikeAtoiButClamped) {
    struct Case {
        std::string text;
        int value;
    };
    const Case cases[] = {
        {"", 0},
        {"abc", 0},
        {"  42abc", 42},
        {" \t\n\v\f\r7", 7},
        {"-17", -17},
        {"+5", 5},
        {"+-5", 0},
        {"12.9", 12},
        {"0x1A", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"99999999999999999999999", 2147483647},
        {"-2147483648", std::numeric_limits<int>::min()},
        {"-99999999999999999999999", std::numeric_limits<int>::min()},
        {std::string("12\0-34", 6), 12},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseLeadingInt(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(LeadingNumber, RealsReadLikeAtofButAlwaysFinite) {
    constexpr double kMax = std::numeric_limits<double>::max();
    struct Case {
        std::string text;
        double value;
    };
    const Case cases[] = {
        {"", 0.0},
        {"V12", 0.0},
        {"12.5V", 12.5},
        {"  -0.25", -0.25},
        {"+-3", 0.0},
        {".5", 0.5},
        {"1e3x", 1000.0},
        {"1.5e+", 1.5},
        {"1,025", 1.0},
        {"1e999", kMax},
        {"-1e999", -kMax},
        {"1e-999", 0.0},
        {"0." + std::string(400, '0') + "1", 0.0},
        {"1" + std::string(400, '0'), kMax},
        {"0.00001e400", kMax},
        {"inf", kMax},
        {"-infinity", -kMax},
        {"nan", 0.0},
        {"0x10", 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseLeadingDouble(c.text), c.value) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace quorvane
