#include "common/parse_number.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

TEST(ParseNumber, NumbersMustBeWholeAndFinite) {
    const std::pair<std::string, std::optional<double>> cases[] = {
        {"0.5", 0.5},          {"-12", -12.0},         {"1e2", 100.0},
        {"", std::nullopt},    {"0.5m", std::nullopt}, {"nan", std::nullopt},
        {"inf", std::nullopt}, {" 1", std::nullopt},   {"0,5", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(parseNumber(text), expected) << "'" << text << "'";
    }
}

TEST(ParseNumber, FieldsAllowBlanksAndAPlusButNoLocaleComma) {
    struct Case {
        std::string text;
        std::optional<double> number;
        std::optional<float> single;
    };
    const Case cases[] = {
        {" 1.025\t", 1.025, 1.025f},         {"+30", 30.0, 30.0f},
        {"0,5", std::nullopt, std::nullopt}, {"+-1", std::nullopt, std::nullopt},
        {"1e39", 1e39, std::nullopt},        {"\t", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseFieldNumber(c.text), c.number) << "'" << c.text << "'";
        EXPECT_EQ(parseFieldFloat(c.text), c.single) << "'" << c.text << "'";
    }
}

TEST(ParseNumber, IntegersMustBeWholeAndFitTheirType) {
    struct Case {
        std::string text;
        std::optional<int64_t> integer;
        std::optional<uint64_t> unsignedValue;
    };
    const Case cases[] = {
        {"42", 42, 42u},
        {"-1", -1, std::nullopt},
        {"1.5", std::nullopt, std::nullopt},
        {"9223372036854775808", std::nullopt, 9223372036854775808u},
        {"18446744073709551616", std::nullopt, std::nullopt},
        {"+1", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseInteger(c.text), c.integer) << "'" << c.text << "'";
        EXPECT_EQ(parseUnsigned(c.text), c.unsignedValue) << "'" << c.text << "'";
    }
}

}  // namespace
}  // namespace quorvane
