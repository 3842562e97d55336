// The navigation recorded from a serial line as a survey PC has it: the simulated receiver on a
// pseudo-terminal, the recorder ended by SIGTERM in mid-stream.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/file_io.h"
#include "common/testing/temp_dir_test.h"
#include "navigation/nav_log.h"

namespace quorvane {
namespace {

using NavCommandTest = test::TempDirTest;

TEST_F(NavCommandTest, ASerialReceiverIsRecordedAndATerminationLeavesEveryLineWhole) {
    // The receiver starts first and sends on; the recorder opens its line, and is terminated
    // once a dozen lines are in its log.
    const std::string script =
        "cd \"$1\" || exit 9\n"
        "'" QUORVANE_SIM_PROGRAM
        "' nav --port gps --rate 10 >sim.out 2>&1 & s=$!\n"
        "for i in $(seq 100); do [ -e gps ] && break; sleep 0.05; done\n"
        "'" QUORVANE_CLI_PATH
        "' nav record --port gps --out nav.log >rec.out 2>rec.err & r=$!\n"
        "for i in $(seq 100); do\n"
        "  [ \"$(cat nav-*.log 2>/dev/null | wc -l)\" -ge 12 ] && break; sleep 0.1\n"
        "done\n"
        "kill -TERM $r; wait $r; echo $? >rc; kill $s; wait $s\n"
        "exit 0\n";
    std::ofstream(dir_ / "record.sh") << script;
    const std::string command =
        "bash '" + utf8OfPath(dir_ / "record.sh") + "' '" + utf8OfPath(dir_) + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);

    EXPECT_EQ(test::slurp(dir_ / "rc"), "0\n") << test::slurp(dir_ / "rec.err");
    EXPECT_NE(test::slurp(dir_ / "rec.err").find("reading gps at 4800 baud"), std::string::npos);
    std::filesystem::path log;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
        if (entry.path().filename().string().starts_with("nav-"))
            log = entry.path();
    }
    ASSERT_FALSE(log.empty());
    std::istringstream lines(test::slurp(log));
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, kNavLogHeader);
    int64_t last = 0;
    size_t fixes = 0;
    for (; std::getline(lines, line); ++fixes) {
        const std::optional<NavFix> fix = readNavLogLine(line);
        ASSERT_TRUE(fix) << line;  // no torn line, not even the last
        EXPECT_EQ(fix->utcMs - last, last == 0 ? fix->utcMs : 100) << line;
        last = fix->utcMs;
    }
    EXPECT_GE(fixes, 11u);
    EXPECT_NE(test::slurp(dir_ / "rec.out").find(std::to_string(fixes) + " fixes written"),
              std::string::npos);
}

}  // namespace
}  // namespace quorvane
