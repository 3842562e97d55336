#include "send/sonar_receipt.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace quorvane {
namespace {

const std::vector<ProfilePoint> kSent{{0.0, 1500.12, 12.3},
                                      {0.5, 1500.12, 12.3},
                                      {1.26, 1500.01, 12.1},
                                      {30.0, 1490.5, 8.0},
                                      {12000.0, 1675.8, 8.0}};
const CastTime kUtc{2026, 12, 7, 20, 15, 0};

std::span<const uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

using Builder = std::function<std::string(std::span<const ProfilePoint>, const CastTime&)>;

TEST(SonarReceiptTest, BothSonarsDatagramsGiveBackTheProfile) {
    for (const Builder& build : {Builder(sisProfileDatagram), Builder(kmallSvpDatagram)}) {
        const std::string datagram = build(kSent, kUtc);
        const std::optional<ReceivedProfile> received = parseSonarReceipt(bytesOf(datagram));
        ASSERT_TRUE(received);
        ASSERT_EQ(received->size(), kSent.size());
        for (size_t i = 0; i < kSent.size(); ++i) {
            EXPECT_NEAR((*received)[i].depth, kSent[i].depth, 0.005);
            EXPECT_NEAR((*received)[i].soundSpeed, kSent[i].soundVelocity, 0.05);
        }
        EXPECT_TRUE(checkReceipt(kSent, *received).confirmed);
    }
    // The 'U' datagram's fixed part, by hand: STX, 'U', then the profile's date and time.
    const std::string sis = sisProfileDatagram(kSent, kUtc);
    EXPECT_EQ(sis.size(), 28u + 8u * kSent.size() + 3u);
    EXPECT_EQ(sis.substr(0, 2), "\x02U");
    EXPECT_EQ(sis.substr(16, 8), std::string("\x57\x29\x35\x01\xc4\x1c\x01\x00", 8));
    // kmall times are seconds since 1970: 2026-12-07 20:15:00 is 1796674500.
    const std::string kmall = kmallSvpDatagram(kSent, kUtc);
    EXPECT_EQ(kmall.substr(4, 4), "#SVP");
    EXPECT_EQ(kmall.substr(12, 4), std::string("\xc4\x13\x17\x6b", 4));
}

TEST(SonarReceiptTest, DamagedDatagramsAreRefused) {
    const std::string sis = sisProfileDatagram(kSent, kUtc);
    const std::string kmall = kmallSvpDatagram(kSent, kUtc);
    const auto changed = [](std::string text, size_t at, char value) {
        text.replace(at, 1, 1, value);
        return text;
    };
    const std::string damaged[] = {
        "",
        sis.substr(0, sis.size() - 1),               // cut short
        sis + std::string(2, '\0'),                  // more than one byte of padding
        changed(sis, 40, char(sis[40] + 1)),         // a point changed: checksum wrong
        changed(sis, 24, char(kSent.size() + 1)),    // more points than it holds
        changed(changed(sis, 26, 0), 27, 0),         // depth resolution 0
        changed(sis, sis.size() - 3, 0x04),          // no ETX
        kmall.substr(0, kmall.size() - 4),           // cut short
        changed(kmall, 22, char(kSent.size() + 1)),  // more samples than it holds
        changed(kmall, 20, 27),                      // a common part too small
        changed(kmall, kmall.size() - 4, 0),         // trailing length differs
        changed(kmall, 7, 'Z'),                      // another datagram
        changed(kmall, 48 + 3, char(0xff)),          // a depth that is NaN
    };
    for (size_t i = 0; i < std::size(damaged); ++i) {
        EXPECT_FALSE(parseSonarReceipt(bytesOf(damaged[i]))) << "case " << i;
    }
}

TEST(SonarReceiptTest, AProfileIsConfirmedOnlyWhenEveryDepthAgrees) {
    const ReceivedProfile same{{0.0, 1500.12}, {30.0, 1490.5}, {12000.0, 1675.8}};
    struct Case {
        const char* what;
        ReceivedProfile received;
        bool confirmed;
        double largest;
        double atDepth;
    };
    ReceivedProfile shifted = same;
    for (ReceivedPoint& point : shifted) point.soundSpeed += 0.3;
    ReceivedProfile shallow(same.begin(), same.end() - 1);
    ReceivedProfile unsorted{same[1], same[0], same[2]};
    const Case cases[] = {
        // Between 0 and 30 m the sonar's line runs straight: 1.26 m lies 0.29 m/s off it.
        {"coarser", same, false, 0.29, 1.26},
        {"the same points",
         {{0.0, 1500.12}, {0.5, 1500.12}, {1.26, 1500.01}, {30.0, 1490.5}, {12000.0, 1675.8}},
         true,
         0.0,
         0.0},
        {"shifted 0.3 m/s", shifted, false, 0.3, 0.0},
        {"not as deep", shallow, false, INFINITY, 12000.0},
        {"unsorted", unsorted, false, INFINITY, 0.0},
        {"empty", {}, false, INFINITY, 0.0},
    };
    for (const Case& c : cases) {
        const ReceiptCheck check = checkReceipt(kSent, c.received);
        EXPECT_EQ(check.confirmed, c.confirmed) << c.what;
        if (std::isinf(c.largest)) {
            EXPECT_TRUE(std::isinf(check.largestDifference)) << c.what;
        } else {
            EXPECT_NEAR(check.largestDifference, c.largest, 0.01) << c.what;
        }
        EXPECT_EQ(check.atDepth, c.atDepth) << c.what;
    }
}

}  // namespace
}  // namespace quorvane
