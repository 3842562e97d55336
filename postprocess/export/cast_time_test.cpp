#include "postprocess/export/cast_time.h"

#include <gtest/gtest.h>

#include "common/testing/scoped_time_zone.h"
#include "postprocess/export/cast_position.h"

namespace quorvane {
namespace {

TEST(CastTime, TextsAreReadOnlyWhenTheyNameARealMoment) {
    struct Case {
        std::string text;
        std::optional<CastTime> time;
    };
    const Case cases[] = {
        {"2014-03-05 10:20:30", CastTime{2014, 3, 5, 10, 20, 30}},
        {"2016-02-29 23:59:59", CastTime{2016, 2, 29, 23, 59, 59}},
        {"2015-02-29 12:00:00", std::nullopt},
        {"2014-03-05 24:00:00", std::nullopt},
        {"2014-03-05 10:60:00", std::nullopt},
        {"0001-01-01 00:00:00", CastTime{1, 1, 1, 0, 0, 0}},
        {"0000-01-01 00:00:00", std::nullopt},  // a UTC offset would make it year -1
        {"9999-12-31 12:00:00", std::nullopt},
        {"2014-03-05T10:20:30", std::nullopt},
        {"2014-3-5 10:20:30", std::nullopt},
        {"2014-03-05 10:20:30 ", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseCastTime(c.text), c.time) << c.text;
        if (c.time) {
            EXPECT_EQ(castTimeText(*c.time), c.text);
        }
    }
}

TEST(CastTime, DownloadedCastsCarryTheirListTimeInTheirName) {
    struct Case {
        std::string name;
        std::optional<CastTime> time;
    };
    const Case cases[] = {
        {"2014-03-05_102030_N.bin", CastTime{2014, 3, 5, 10, 20, 30}},
        {"2014-03-05_102030(2)_N.bin", CastTime{2014, 3, 5, 10, 20, 30}},
        {"2014-03-05_102030_N.prf", CastTime{2014, 3, 5, 10, 20, 30}},
        {"2014-03-05_1020_N.bin", std::nullopt},
        {"2014-03-05_102030N.bin", std::nullopt},
        {"1980-00-00_000000_N.bin", std::nullopt},  // a device date word of 0
        {"sample-cast.bin", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(castTimeFromFileName(c.name), c.time) << c.name;
    }
    EXPECT_EQ(localCastTime("/no/such/folder/2014-03-05_102030_N.bin"),
              (CastTime{2014, 3, 5, 10, 20, 30}));
    EXPECT_EQ(localCastTime("/no/such/folder/cast.bin"), std::nullopt);
}

TEST(CastTime, LocalTimesBecomeUtcAcrossDayMonthAndYearEnds) {
    struct Case {
        CastTime local;
        double offset;
        CastTime utc;
        int utcDayOfYear;
    };
    const Case cases[] = {
        {{2014, 3, 5, 10, 20, 30}, 8, {2014, 3, 5, 2, 20, 30}, 64},
        {{2014, 1, 1, 3, 0, 0}, 8, {2013, 12, 31, 19, 0, 0}, 365},
        {{2016, 2, 28, 22, 45, 0}, -3.5, {2016, 2, 29, 2, 15, 0}, 60},
        {{2016, 12, 31, 20, 0, 0}, -5.75, {2017, 1, 1, 1, 45, 0}, 1},
        {{2016, 12, 31, 23, 59, 59}, 0, {2016, 12, 31, 23, 59, 59}, 366},
    };
    for (const Case& c : cases) {
        const CastTime utc = toUtc(c.local, c.offset);
        EXPECT_EQ(utc, c.utc) << castTimeText(c.local) << " " << c.offset;
        EXPECT_EQ(dayOfYear(utc), c.utcDayOfYear) << castTimeText(c.utc);
    }
    EXPECT_EQ(parseUtcOffset("5.5"), 5.5);
    EXPECT_EQ(parseUtcOffset("-14"), -14.0);
    EXPECT_EQ(parseUtcOffset("14.5"), std::nullopt);
    EXPECT_EQ(parseUtcOffset("+8h"), std::nullopt);
    EXPECT_EQ(parseUtcOffset("+5.75"), 5.75);
    EXPECT_EQ(parseUtcOffset("+-5"), std::nullopt);
}

TEST(CastTime, ThePcsOwnOffsetIsTheZonesAtThatTime) {
    {
        const test::ScopedTimeZone india("IST-5:30");
        EXPECT_EQ(pcUtcOffsetHours({2026, 12, 7, 10, 0, 0}), 5.5);
    }
    {
        const test::ScopedTimeZone newfoundland("NST3:30");
        EXPECT_EQ(pcUtcOffsetHours({2026, 1, 15, 12, 0, 0}), -3.5);
    }
#if !defined(_WIN32)  // the C runtime there knows only the United States' summer rule
    const test::ScopedTimeZone berlin("CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_EQ(pcUtcOffsetHours({2026, 1, 15, 12, 0, 0}), 1.0);
    EXPECT_EQ(pcUtcOffsetHours({2026, 7, 15, 12, 0, 0}), 2.0);
#endif
    const std::pair<double, const char*> texts[] = {
        {8, "+8"}, {-3.5, "-3.5"}, {5.75, "+5.75"}, {0, "0"}, {-10, "-10"}};
    for (const auto& [hours, text] : texts) EXPECT_EQ(utcOffsetText(hours), text);
}

TEST(CastPosition, PositionsAreSignedDegreesWithinTheGlobe) {
    struct Case {
        std::string text;
        std::optional<CastPosition> position;
    };
    const Case cases[] = {
        {"45.5,-73.25", CastPosition{45.5, -73.25}},
        {"-33.9, 151.2", CastPosition{-33.9, 151.2}},
        {"90,180", CastPosition{90, 180}},
        {"90.1,0", std::nullopt},
        {"0,-180.5", std::nullopt},
        {"45.5", std::nullopt},
        {"45.5,", std::nullopt},
        {"45,5,3,2", std::nullopt},
        {"nan,0", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parsePosition(c.text), c.position) << c.text;
    }
}

TEST(CastPosition, CarisDegreesRoundTheSecondsBeforeTheCarryAndKeepTheSign) {
    struct Case {
        double degrees;
        std::string text;
    };
    // Less than a degree south, the carry into the degrees and a long fraction are read back
    // from the CARIS files the writers test writes.
    const Case cases[] = {
        {45.5125, "45:30:45.00"},
        {-0.0000001, "00:00:00.00"},  // rounds to no offset at all
        {-73.999999, "-74:00:00.00"},
        {-180.0, "-180:00:00.00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(degreesMinutesSeconds(c.degrees), c.text) << c.degrees;
    }
}

}  // namespace
}  // namespace quorvane
