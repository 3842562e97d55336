// The datagrams the packages take, byte for byte against datagrams written out by hand.
#include "send/profile_datagram.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace quorvane {
namespace {

const std::vector<ProfilePoint> kFitted{{0.5, 1500.1234, 12.3456},
                                        {0.55, 1500.1234, 12.3456},
                                        {1.26, 1500.0051, 12.1},
                                        {2.0, 1499.9949, 11.9}};
const CastTime kUtc{2014, 3, 5, 2, 20, 30};
const CastPosition kSouthEast{-0.5, 123.4567891234};

AcquisitionTarget target(const char* text) {
    const std::optional<AcquisitionTarget> parsed = parseTarget(text);
    EXPECT_TRUE(parsed) << text;
    return parsed.value_or(AcquisitionTarget{});
}

// The text before "*hh\<CR><LF>", after checking that ending.
std::string withoutChecksum(const std::string& datagram) {
    const size_t star = datagram.rfind('*');
    EXPECT_NE(star, std::string::npos);
    const std::string text = datagram.substr(0, star);
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02x", kongsbergChecksum(std::string_view(text).substr(1)));
    EXPECT_EQ(datagram.substr(star), "*" + std::string(hex) + "\\\r\n");
    return text;
}

TEST(ProfileDatagramTest, KongsbergDatagramsHaveTheirBytes) {
    // An NMEA sentence's published checksum: the same XOR.
    EXPECT_EQ(kongsbergChecksum("GPGLL,5300.97914,N,00259.98174,E,125926,A"), 0x28u);
    struct Case {
        const char* to;
        std::optional<CastPosition> position;
        std::string expected;
    };
    const std::string source = "0.0,,Source: Quorvane " QUORVANE_VERSION ",";
    const Case cases[] = {
        {"sis4@192.168.1.20", kSouthEast,
         "$MVS01,00000,0006,022030,05,03,2014,"
         "0.00,1500.1,12.35,36.78,\r\n0.50,1500.1,12.35,36.77,\r\n0.55,1500.1,12.35,36.77,\r\n"
         "1.26,1500.0,12.10,37.35,\r\n2.00,1500.0,11.90,37.90,\r\n"
         "12000.00,1675.8,11.90,37.90,\r\n"
         "0030.00,S,12327.41,E," +
             source},
        {"qinsy@10.0.0.5:4001", std::nullopt,
         "$MVS12,00000,0005,022030,05,03,2014,"
         "0.00,1500.1,12.35,36.78,\r\n0.50,1500.1,12.35,36.77,\r\n0.55,1500.1,12.35,36.77,\r\n"
         "1.26,1500.0,12.10,37.35,\r\n2.00,1500.0,11.90,37.90,\r\n"
         ",,,," +
             source},
        // Minutes round to the hundredth and carry into the degrees.
        {"pds2000@h:1/s01", CastPosition{10.999999, -0.0001},
         "$MVS01,00000,0005,022030,05,03,2014,"
         "0.00,1500.1,12.35,36.78,\r\n0.50,1500.1,12.35,36.77,\r\n0.55,1500.1,12.35,36.77,\r\n"
         "1.26,1500.0,12.10,37.35,\r\n2.00,1500.0,11.90,37.90,\r\n"
         "1100.00,N,00000.01,W," +
             source},
    };
    for (const Case& c : cases) {
        const ProfileDatagram datagram =
            buildProfileDatagram(target(c.to), kFitted, kUtc, c.position);
        EXPECT_EQ(withoutChecksum(datagram.bytes), c.expected) << c.to;
        EXPECT_EQ(datagram.salinityUnfitted, 0u) << c.to;
    }
}

TEST(ProfileDatagramTest, CalcHasItsBytesWithTheDecimalsOfItsReader) {
    const std::string head =
        "CALC,0001,05-03-2014,1,meters\r\n"
        "AML SOUND VELOCITY PROFILER S/N:00000\r\n"
        "DATE:14064 TIME:02:20\r\n"
        "DEPTH OFFSET (M):00000.0\r\n"
        "DEPTH (M) VELOCITY (M/S) TEMP (C)\r\n";
    const std::string tail =
        "0  0  0\r\n"
        "*** NAV ****\r\n"
        "Bottom Depth (m): 2.00\r\n"
        "Ship's Log (N): 0.0\r\n"
        "# LAT ( ddmm.mmmmmmm,N): 0030.0000000,S\r\n"
        "# LON (dddmm.mmmmmmm,E): 12327.4073474,E\r\n"
        "Time [hh:mm:ss.ss]: 02:20:30.00\r\n"
        "Date [dd/mm/yyyy]: 05/03/2014\r\n";
    // One decimal: 0.55 m would repeat 0.5 m. HYPACK reads two, and gets no 0 m point.
    EXPECT_EQ(buildProfileDatagram(target("ea440@h:9/calc"), kFitted, kUtc, kSouthEast).bytes,
              head +
                  "    0.0  1500.12  12.346\r\n    0.5  1500.12  12.346\r\n"
                  "    1.3  1500.01  12.100\r\n    2.0  1499.99  11.900\r\n" +
                  tail);
    EXPECT_EQ(buildProfileDatagram(target("hypack@h:9"), kFitted, kUtc, kSouthEast).bytes,
              head +
                  "   0.50  1500.12  12.346\r\n   0.55  1500.12  12.346\r\n"
                  "   1.26  1500.01  12.100\r\n   2.00  1499.99  11.900\r\n" +
                  tail);
}

TEST(ProfileDatagramTest, ALongCastFitsOneDatagramAndSaysHowManyPoints) {
    std::vector<ProfilePoint> deep;
    for (int i = 0; i <= 50000; ++i) {
        const double depth = i * 0.1;
        deep.push_back({depth, 1480.0 + 10.0 * std::sin(depth / 7.0) + depth * 0.016, 4.0});
    }
    const ProfileDatagram datagram = buildProfileDatagram(target("sis5@h"), deep, kUtc, kSouthEast);
    ASSERT_LE(datagram.points.size(), 1000u);
    EXPECT_LE(datagram.bytes.size(), kMaximumDatagram);
    const std::string count = datagram.bytes.substr(13, 4);
    EXPECT_EQ(std::stoul(count), datagram.points.size());
    size_t rows = 0;
    for (size_t at = 0; (at = datagram.bytes.find("\r\n", at)) != std::string::npos; at += 2) {
        ++rows;
    }
    EXPECT_EQ(rows, datagram.points.size() + 1);  // the last line ends the datagram
}

}  // namespace
}  // namespace quorvane
