#include "device/link/clock.h"

#include <gtest/gtest.h>

#include "device/link/system_clock.h"

namespace quorvane {
namespace {

TEST(Clock, MillisecondsBetweenTruncatesWithoutOverflow) {
    struct Case {
        int64_t from;
        int64_t to;
        int64_t frequency;
        int64_t ms;
    };
    const Case cases[] = {
        {0, 1999, 10'000, 199},
        {0, 2000, 10'000, 200},
        {100, 100 + 3'579'545, 3'579'545, 1000},
        {0, 3'579'544, 3'579'545, 999},
        {0, INT64_MAX, 1'000'000'000, INT64_MAX / 1'000'000},
        {5, 5, 1000, 0},
        {0, 10, 0, INT64_MAX},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(millisecondsBetween(c.from, c.to, c.frequency), c.ms)
            << c.from << ".." << c.to << " at " << c.frequency;
    }
}

TEST(SystemClock, ReadsAPlausibleLocalTime) {
    SystemClock clock;
    const LocalDateTime now = clock.localDateTime();
    EXPECT_GE(now.year, 2000);
    EXPECT_TRUE(now.month >= 1 && now.month <= 12);
    EXPECT_GT(clock.counterFrequency(), 0);
    const int32_t seconds = clock.secondsOfDay();
    EXPECT_TRUE(seconds >= 0 && seconds < 86400) << seconds;
    EXPECT_EQ(localDateTimeOf(0).year, 1970 - (localDateTimeOf(0).month == 12 ? 1 : 0));
}

}  // namespace
}  // namespace quorvane
