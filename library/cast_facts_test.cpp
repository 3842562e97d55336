#include "library/cast_facts.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(CastFactsTest, FactsOfAProfile) {
    struct Case {
        const char* what;
        std::vector<ProfilePoint> profile;
        std::optional<CastFacts> facts;
    };
    // Layers 0–30 m at (1490 + 1510) / 2 = 1500 m/s and 30–94 m at (1510 + 1690) / 2 = 1600
    // m/s: 0.02 s + 0.04 s down 94 m, 1566.67 m/s (the depth-weighted plain mean is 1568.09).
    const CastFacts layered{94.0, 1490.0, 94.0 / 0.06, 1490.0, 1690.0, 4.0, 25.0};
    const Case cases[] = {
        {"going down", {{0, 1490, 25}, {30, 1510, 18}, {94, 1690, 4}}, layered},
        {"out of order", {{30, 1510, 18}, {94, 1690, 4}, {0, 1490, 25}}, layered},
        {"one point", {{5, 1500, 12}}, CastFacts{5, 1500, 1500, 1500, 1500, 12, 12}},
        // No depth range: the points' plain harmonic mean, 2 / (1/1500 + 1/1600).
        {"one depth",
         {{5, 1500, 12}, {5, 1600, 10}},
         CastFacts{5, 1500, 2.0 / (1.0 / 1500 + 1.0 / 1600), 1500, 1600, 10, 12}},
        {"empty", {}, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<CastFacts> facts = castFacts(c.profile);
        ASSERT_EQ(facts.has_value(), c.facts.has_value()) << c.what;
        if (facts) {
            EXPECT_EQ(facts->maximumDepth, c.facts->maximumDepth) << c.what;
            EXPECT_EQ(facts->surfaceSoundVelocity, c.facts->surfaceSoundVelocity) << c.what;
            EXPECT_NEAR(facts->harmonicMeanSoundVelocity, c.facts->harmonicMeanSoundVelocity, 1e-9)
                << c.what;
            EXPECT_EQ(facts->minimumSoundVelocity, c.facts->minimumSoundVelocity) << c.what;
            EXPECT_EQ(facts->maximumSoundVelocity, c.facts->maximumSoundVelocity) << c.what;
            EXPECT_EQ(facts->minimumTemperature, c.facts->minimumTemperature) << c.what;
            EXPECT_EQ(facts->maximumTemperature, c.facts->maximumTemperature) << c.what;
        }
    }
}

TEST(CastFactsTest, TheProfileIsStoredAsLittleEndianRecords) {
    const std::vector<ProfilePoint> profile{{1.0, 1500.0, -2.5}};
    const std::string bytes = profileBytes(profile);
    EXPECT_EQ(bytes, std::string("\0\0\0\0\0\0\xf0\x3f"
                                 "\0\0\0\0\0\x70\x97\x40"
                                 "\0\0\0\0\0\0\x04\xc0",
                                 24));
    // A torn last record is dropped, not half read.
    const std::vector<ProfilePoint> back = profileFromBytes(bytes + bytes.substr(0, 10));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].depth, 1.0);
    EXPECT_EQ(back[0].soundVelocity, 1500.0);
    EXPECT_EQ(back[0].temperature, -2.5);
}

}  // namespace
}  // namespace quorvane
