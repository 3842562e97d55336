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

TEST(SystemClock, BreaksTheLocalTimeDownWithTheFullYearAndMonthsCountedFromOne) {
    // 2014-03-05 12:20:30 UTC: in every time zone still March 2014, the 5th or the 6th, and
    // second 30.
    const LocalDateTime local = localDateTimeOf(1394022030);
    EXPECT_EQ(local.year, 2014);
    EXPECT_EQ(local.month, 3);
    EXPECT_TRUE(local.day == 5 || local.day == 6) << local.day;
    EXPECT_EQ(local.second, 30);
}

}  // namespace
}  // namespace quorvane
