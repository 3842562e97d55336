// A simulated ship's navigation recorded into the log and searched again, as a survey does it.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>

#include "common/testing/temp_dir_test.h"
#include "navigation/nav_log.h"
#include "navigation/nav_recorder.h"
#include "simulator/nav_track.h"

namespace quorvane {
namespace {

using NavRecordingTest = test::TempDirTest;

constexpr int64_t kStart = 1796687990000;  // 2026-12-07 23:59:50 UTC: the log goes past midnight

double metresBetween(const CastPosition& a, const CastPosition& b) {
    constexpr double kRadians = std::numbers::pi / 180.0;
    const double north = (a.latitude - b.latitude) * kRadians * 6371000.0;
    const double east =
        (a.longitude - b.longitude) * kRadians * 6371000.0 * std::cos(a.latitude * kRadians);
    return std::hypot(north, east);
}

TEST_F(NavRecordingTest, EveryCastGetsWhereTheShipWasAndNoFaultBecomesAPosition) {
    struct Case {
        sim::NavFault fault;
        const char* problem;  // what the recorder says of the faulty epochs' lines
    };
    for (const Case& c :
         {Case{sim::NavFault::None, ""}, Case{sim::NavFault::Checksum, "bad checksum"},
          Case{sim::NavFault::Position999, "bad position"},
          Case{sim::NavFault::QualityZero, "no fix (quality 0)"}, Case{sim::NavFault::Gap, ""},
          Case{sim::NavFault::Garbage, "no $…*hh sentence"}}) {
        const std::string base = path("nav" + std::to_string(int(c.fault)) + ".log");
        sim::NavTrackOptions options;
        options.startUtcMs = kStart;
        options.fault = c.fault;
        const sim::NavTrack track(options);
        int64_t pcClock = 0;
        NavRecorder recorder(base, [&] { return pcClock; });
        std::vector<std::string> problems;
        for (int epoch = 0; epoch < 60; ++epoch) {
            pcClock = track.epochUtcMs(epoch) + 300;
            for (const std::string& line : track.sentences(epoch)) {
                const NavRecorder::Outcome outcome = recorder.line(line);
                if (!outcome.problem.empty())
                    problems.push_back(outcome.problem);
                if (outcome.clockAheadS) {
                    EXPECT_NEAR(*outcome.clockAheadS, 0.3, 1e-9);
                }
            }
        }
        if (*c.problem) {
            ASSERT_FALSE(problems.empty()) << int(c.fault);
            for (const std::string& p : problems) EXPECT_EQ(p, c.problem) << int(c.fault);
        } else {
            EXPECT_TRUE(problems.empty()) << problems.front();
        }
        // A day's file each side of midnight.
        std::string problem;
        std::vector<NavLogFile> logs;
        for (const char* day : {"-2026-12-07.log", "-2026-12-08.log"}) {
            logs.emplace_back(path("nav" + std::to_string(int(c.fault)) + day), problem);
            ASSERT_TRUE(logs.back().isOpen()) << problem;
        }
        for (int64_t at = kStart + 250; at < kStart + 58000; at += 2300) {
            const NavLookup lookup = positionFromLogs(logs, at, 2000);
            ASSERT_TRUE(lookup.found) << int(c.fault) << " " << at - kStart;
            EXPECT_LT(metresBetween(lookup.found->position, track.positionAt(at)), 1.0)
                << int(c.fault) << " " << at - kStart;
        }
    }
}

}  // namespace
}  // namespace quorvane
