#include "navigation/nmea_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace quorvane {
namespace {

// A sentence with its checksum.
std::string sentence(const std::string& body) {
    unsigned sum = 0;
    for (const char c : body) sum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

constexpr int64_t k20261207 = 1796601600000;  // 2026-12-07 00:00:00 UTC in ms

TEST(NmeaReaderTest, FixesComeWithTheirDateAndEveryFaultIsRefused) {
    struct Line {
        std::string text;
        std::optional<NavFix> fix;
        const char* problem;
    };
    const std::vector<Line> lines{
        // Before any date, GGA makes no fix and is no fault.
        {sentence("GPGGA,101500.00,2217.1300,N,11409.4620,E,1,08,0.9,5.0,M,,M,,"), {}, ""},
        {sentence("GPZDA,101500.50,07,12,2026,00,00"), {}, ""},
        {sentence("GNGGA,101501.25,2217.1300,N,11409.4620,E,2,08,0.9,5.0,M,,M,,"),
         NavFix{k20261207 + 36901250, 22.2855, 114.1577, 2, "GNGGA"}, ""},
        {sentence("INGGA,101502,3350.0000,S,15112.0000,W,4,08,0.9,5.0,M,,M,,"),
         NavFix{k20261207 + 36902000, -33.8333333333, -151.2, 4, "INGGA"}, ""},
        // GGA is flowing, so RMC only dates.
        {sentence("GPRMC,101503.00,A,2217.1300,N,11409.4620,E,0.0,0.0,071226,,,A"), {}, ""},
        {sentence("GPGGA,101504.00,2217.1300,N,11409.4620,E,0,08,0.9,5.0,M,,M,,"),
         {},
         "no fix (quality 0)"},
        {sentence("GPGGA,101505.00,9117.1300,N,11409.4620,E,1,08,0.9,5.0,M,,M,,"),
         {},
         "bad position"},
        {sentence("GPGGA,101505.00,2217.1300,N,99999.0000,E,1,08,0.9,5.0,M,,M,,"),
         {},
         "bad position"},
        {sentence("GPGGA,101505.00,2217.1300,X,11409.4620,E,1,08,0.9,5.0,M,,M,,"),
         {},
         "bad position"},
        {sentence("GPGGA,106505.00,2217.1300,N,11409.4620,E,1,08,0.9,5.0,M,,M,,"), {}, "bad time"},
        {"$GPGGA,101506.00,2217.1300,N,11409.4620,E,1,08,0.9,5.0,M,,M,,*00", {}, "bad checksum"},
        {"$GPGGA,101506.00,2217.1300,N,11409.4620,E,1,08,0.9,5.0,M,,M,,", {}, "no $…*hh sentence"},
        {"garbage \x01\x02", {}, "no $…*hh sentence"},
        {sentence("GPGGA," + std::string(140, '1')), {}, "line too long"},
        {sentence("GPVTG,0.0,T,,M,0.0,N,0.0,K,A"), {}, ""},
        // Just after midnight: the day after the last date.
        {sentence("GPZDA,235959.90,07,12,2026,00,00"), {}, ""},
        {sentence("GPGGA,000000.10,2217.1300,N,11409.4620,E,1,08,0.9,5.0,M,,M,,"),
         NavFix{k20261207 + 86400100, 22.2855, 114.1577, 1, "GPGGA"}, ""},
        {sentence("GPZDA,120000.00,31,02,2026,00,00"), {}, "bad time"},
        // An RMC without its date (the fuzzer's find: the date was cut up before its length
        // was known).
        {sentence("GPRMC,101503.00,A,2217.1300,N,11409.4620,E,0.0,0.0,,,,A"), {}, "bad time"},
        {sentence("GPRMC,101503.00,A,2217.1300,N,11409.4620,E,0.0,0.0,0712,,,A"), {}, "bad time"},
    };
    NmeaReader reader;
    for (const Line& line : lines) {
        std::string problem = "not cleared";
        const std::optional<NavFix> fix = reader.read(line.text, problem);
        EXPECT_EQ(problem, line.problem) << line.text;
        ASSERT_EQ(fix.has_value(), line.fix.has_value()) << line.text;
        if (fix) {
            EXPECT_EQ(fix->utcMs, line.fix->utcMs) << line.text;
            EXPECT_NEAR(fix->latitude, line.fix->latitude, 1e-9) << line.text;
            EXPECT_NEAR(fix->longitude, line.fix->longitude, 1e-9) << line.text;
            EXPECT_EQ(fix->quality, line.fix->quality) << line.text;
            EXPECT_EQ(fix->source, line.fix->source) << line.text;
        }
    }
    EXPECT_EQ(reader.lastDatedUtcMs(), k20261207 + 86399900);
}

TEST(NmeaReaderTest, RmcAloneGivesFixesWithItsMode) {
    NmeaReader reader;
    std::string problem;
    const auto fix = reader.read(
        sentence("GPRMC,101503.50,A,2217.1300,N,11409.4620,E,0.0,0.0,071226,,,D"), problem);
    ASSERT_TRUE(fix) << problem;
    EXPECT_EQ(fix->utcMs, k20261207 + 36903500);
    EXPECT_EQ(fix->quality, 2);
    EXPECT_FALSE(
        reader.read(sentence("GPRMC,101504,V,2217.13,N,11409.46,E,0,0,071226,,,N"), problem));
    EXPECT_EQ(problem, "no fix (status V)");
    EXPECT_FALSE(
        reader.read(sentence("GPRMC,101504,A,2217.13,N,11409.46,E,0,0,071226,,,N"), problem));
    EXPECT_EQ(problem, "no fix (mode N)");
}

}  // namespace
}  // namespace quorvane
