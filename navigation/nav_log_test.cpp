#include "navigation/nav_log.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/testing/temp_dir_test.h"

namespace quorvane {
namespace {

using NavLogTest = test::TempDirTest;

constexpr int64_t kStart = 1796601600000;  // 2026-12-07 00:00:00 UTC

// A ship steaming north at 0.001° a second, one fix a second, with a 30 s gap after 500 s.
std::string track(int fixes) {
    std::string text = std::string(kNavLogHeader) + "\n";
    for (int i = 0; i < fixes; ++i) {
        const int64_t t = kStart + (i < 500 ? i : i + 30) * 1000;
        text += navLogLine({t, 10.0 + 0.001 * double(t - kStart) / 1000.0, 179.9995, 1, "GPGGA"},
                           t + 40);
    }
    return text;
}

TEST_F(NavLogTest, ALineReadsBackAndDamageIsNoFix) {
    const NavFix fix{kStart + 1500, -33.5, -151.25, 4, "GNGGA"};
    const std::string line = navLogLine(fix, kStart + 1531);
    EXPECT_EQ(line,
              "2026-12-07T00:00:01.500Z -33.50000000 -151.25000000 4 GNGGA "
              "2026-12-07T00:00:01.531Z\n");
    EXPECT_EQ(readNavLogLine(line.substr(0, line.size() - 1)), fix);
    for (const char* damaged :
         {"2026-12-07T00:00:01.500Z -33.5 -151.25 4 GNGGA",  // no PC clock: torn
          "2026-12-07T00:00:01.500Z 93.5 -151.25 4 GNGGA 2026-12-07T00:00:01.531Z",
          "2026-02-30T00:00:01.500Z -33.5 -151.25 4 GNGGA 2026-12-07T00:00:01.531Z",
          "2026-12-07T00:00:01.500Z -33.5 -151.25 0 GNGGA 2026-12-07T00:00:01.531Z",
          "2026-12-07T00:00:01.500Z -33.5 -151.25 0.5 GNGGA 2026-12-07T00:00:01.531Z",
          "# a comment", ""}) {
        EXPECT_FALSE(readNavLogLine(damaged)) << damaged;
    }
}

TEST_F(NavLogTest, ACastTimeFindsItsFixesInPlace) {
    // The last line torn, as a recorder killed mid-write leaves it.
    std::ofstream(path("nav.log"), std::ios::binary)
        << track(1000) << "2026-12-07T00:17:00.000Z 10.9";
    std::string problem;
    std::vector<NavLogFile> logs;
    logs.emplace_back(path("nav.log"), problem);
    ASSERT_TRUE(logs[0].isOpen()) << problem;
    struct Case {
        int64_t atMs;
        NavLookupProblem problem;
        double latitude, longitude;
        int64_t gapMs;
    };
    const Case cases[] = {
        {0, NavLookupProblem::None, 10.0, 179.9995, 0},              // the first fix
        {123'400, NavLookupProblem::None, 10.1234, 179.9995, 1000},  // between two
        {499'000, NavLookupProblem::None, 10.499, 179.9995, 0},      // the last before the gap
        {510'000, NavLookupProblem::GapTooLong, 0, 0, 31000},        // in the gap
        {1'029'000, NavLookupProblem::None, 11.029, 179.9995, 0},    // the last whole line
        {1'029'500, NavLookupProblem::OutsideLog, 0, 0, 0},          // after it
        {-1, NavLookupProblem::OutsideLog, 0, 0, 0},                 // before the log
    };
    for (const Case& c : cases) {
        const NavLookup lookup = positionFromLogs(logs, kStart + c.atMs);
        EXPECT_EQ(lookup.problem, c.problem) << c.atMs;
        ASSERT_EQ(lookup.found.has_value(), c.problem == NavLookupProblem::None) << c.atMs;
        if (lookup.found) {
            EXPECT_NEAR(lookup.found->position.latitude, c.latitude, 1e-9) << c.atMs;
            EXPECT_NEAR(lookup.found->position.longitude, c.longitude, 1e-9) << c.atMs;
            EXPECT_EQ(lookup.found->gapMs, c.gapMs) << c.atMs;
            EXPECT_EQ(lookup.found->source, path("nav.log"));
        } else {
            EXPECT_EQ(lookup.gapMs, c.gapMs) << c.atMs;
        }
    }
}

TEST_F(NavLogTest, TheDateLineIsCrossedTheShortWayAndLogsFollowOnEachOther) {
    std::ofstream(path("day1.log"), std::ios::binary)
        << navLogLine({kStart, 0.0, 179.9995, 1, "GPGGA"}, kStart);
    std::ofstream(path("day2.log"), std::ios::binary)
        << navLogLine({kStart + 2000, 0.0, -179.9995, 1, "GPGGA"}, kStart + 2000);
    std::string problem;
    std::vector<NavLogFile> logs;
    logs.emplace_back(path("day2.log"), problem);
    logs.emplace_back(path("day1.log"), problem);
    const NavLookup between = positionFromLogs(logs, kStart + 1500);
    ASSERT_TRUE(between.found);
    EXPECT_NEAR(between.found->position.longitude, -179.99975, 1e-9);
    EXPECT_EQ(between.found->source, path("day1.log"));
    std::vector<NavLogFile> missing;
    missing.emplace_back(path("none.log"), problem);
    EXPECT_FALSE(missing[0].isOpen());
    EXPECT_EQ(problem, path("none.log") + ": cannot be read");
}

}  // namespace
}  // namespace quorvane
