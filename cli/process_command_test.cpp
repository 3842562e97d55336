// Runs the built quorvane-cli on real cast files and reads what it wrote.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "cli/cli_fixture.h"
#include "common/file_io.h"
#include "common/testing/scoped_time_zone.h"
#include "navigation/nav_log.h"
#include "postprocess/profilefiles/point_file.h"
#include "simulator/cast_generator.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

using test::slurp;

class ProcessCommandTest : public test::CliTest<test::TempDirTest> {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        sim::CastOptions options;
        options.maxDepth = 40;
        options.seed = 3;
        write("cast.bin", sim::generateCast(options));
    }

    int run(const std::string& arguments) { return runCli(arguments, dir_); }

    std::set<std::string> filesIn(const fs::path& folder) const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.insert(utf8OfPath(entry.path().filename()));
        }
        return names;
    }
};

TEST_F(ProcessCommandTest, WritesEveryFileAndASummary) {
    // The library is recorded where a build has one; the files are the same everywhere.
    ASSERT_EQ(run("process cast.bin --no-library"), 0) << err();
    EXPECT_EQ(filesIn(dir_ / "Data"),
              (std::set<std::string>{
                  "cast.prf", "cast.asvf", "cast_Raw File.csv", "cast_Raw File.vel",
                  "cast_Raw File.txt", "cast_Fitting File.csv", "cast_Fitting File.vel",
                  "cast_Fitting File.txt", "cast_Average File.csv", "cast_Average File.txt"}));
    const std::string summary = out();
    EXPECT_NE(summary.find("Device ID: 12345678"), std::string::npos) << summary;
    EXPECT_NE(summary.find("Maximum depth:"), std::string::npos) << summary;
    // The result box's two lines stay two lines.
    const size_t average = err().find("Average Sound Velocity:");
    ASSERT_NE(average, std::string::npos) << err();
    EXPECT_EQ(err()[average - 1], '\n') << err();
}

TEST_F(ProcessCommandTest, ChineseNamesFormatsAndOverrides) {
    ASSERT_EQ(run("process cast.bin --lang zh --out 结果 --format txt --interval 1 --filter 2 "
                  "--start-depth 5"),
              0)
        << err();
    EXPECT_EQ(filesIn(dir_ / u8"结果"),
              (std::set<std::string>{"cast.prf", "cast.asvf", "cast_原始数据.txt",
                                     "cast_拟合数据.txt", "cast_平均声速.txt"}));
    // The average text starts with the GBK "起始深度" and the start depth given.
    const std::string average = slurp(dir_ / u8"结果" / u8"cast_平均声速.txt");
    EXPECT_EQ(average.rfind("\xC6\xF0\xCA\xBC\xC9\xEE\xB6\xC8,5.000\r\n", 0), 0u);
    std::vector<ProfilePoint> fitted;
    LoadProfileFile(utf8OfPath(dir_ / u8"结果" / "cast.prf"), fitted);
    ASSERT_GT(fitted.size(), 2u);
    EXPECT_DOUBLE_EQ(fitted[1].depth - fitted[0].depth, 1.0);
}

TEST_F(ProcessCommandTest, AcquisitionFormatsCarryTheCastTimeAndPosition) {
    fs::copy_file(dir_ / "cast.bin", dir_ / "2014-03-05_102030_N.bin");
    const std::string formats =
        "--format asvp --format caris --format hypack3 --format pro "
        "--format unb --format ixblue --format usr --format csvmeta";
    ASSERT_EQ(run("process 2014-03-05_102030_N.bin --out o " + formats +
                  " --utc-offset 8 --position=-33.9,151.2"),
              0)
        << err();
    const std::string name = "2014-03-05_102030_N";
    EXPECT_EQ(filesIn(dir_ / "o"),
              (std::set<std::string>{name + ".prf", name + ".asvf", name + ".asvp", name + ".svp",
                                     name + ".vel", name + ".pro", name + ".unb", name + ".txt",
                                     name + ".USR", name + ".csv"}));
    // The list time 10:20:30 at UTC+8 is 02:20:30 UTC.
    const std::string vel = slurp(dir_ / "o" / (name + ".vel"));
    EXPECT_EQ(vel.substr(0, vel.find('\n')),
              "FTP NEW 3 -33.900000000 151.200000000 02:20 03/05/2014\r");
    const std::string proHeader =
        name + "\n5/3/2014\n2:20:30\nProbe: Quorvane 12345678\nSource: " + name + ".bin\n";
    EXPECT_EQ(slurp(dir_ / "o" / (name + ".pro")).substr(0, proHeader.size()), proHeader);
    EXPECT_EQ(err().find("no cast position"), std::string::npos) << err();

    // --append adds a section to the CARIS file; --time overrides the name.
    ASSERT_EQ(run("process 2014-03-05_102030_N.bin --out o --format caris --append --time "
                  "\"2014-03-06 01:00:00\""),
              0)
        << err();
    const std::string svp = slurp(dir_ / "o" / (name + ".svp"));
    EXPECT_NE(svp.find("Section 2014-064 02:20:30 -33:54:00.00 151:12:00.00\r\n"),
              std::string::npos);
    EXPECT_NE(svp.find("Section 2014-065 01:00:00 00:00:00.00 00:00:00.00\r\n"), std::string::npos);
    EXPECT_NE(out().find("added the cast to"), std::string::npos) << out();
    // One warning for the cast, naming what the position is missing for.
    EXPECT_NE(err().find("2014-03-05_102030_N.bin: no cast position (--position LAT,LON) for "
                         "CARIS"),
              std::string::npos)
        << err();
}

TEST_F(ProcessCommandTest, ThePositionComesFromTheNavigationLog) {
    fs::copy_file(dir_ / "cast.bin", dir_ / "2014-03-05_102030_N.bin");
    // Fixes at 02:20:29 and 02:20:31 UTC, and one 20 s later.
    const int64_t fix = 1393986029000;
    std::ofstream(dir_ / "nav.log", std::ios::binary)
        << navLogLine({fix, -33.90, 151.20, 1, "GPGGA"}, fix)
        << navLogLine({fix + 2000, -33.92, 151.22, 1, "GPGGA"}, fix + 2000)
        << navLogLine({fix + 22000, -33.94, 151.24, 1, "GPGGA"}, fix + 22000);
    struct Case {
        const char* options;
        const char* latitudeLine;
        const char* says;
    };
    for (const Case& c :
         {Case{"--utc-offset 8", "Latitude, -33.9100000",
               "-33.9100000,151.2100000 from navigation "
               "log nav.log at 2014-03-05 02:20:30 UTC "
               "(interpolated between fixes 2.0 s apart)"},
          Case{"--time \"2014-03-05 10:20:40\" --utc-offset 8", "Latitude, unknown",
               "the navigation fixes around 2014-03-05 02:20:40 UTC are 20.0 s apart, more than "
               "10.0 s: no cast position"},
          Case{"--utc-offset 7", "Latitude, unknown",
               "the navigation logs do not cover 2014-03-05 03:20:30 UTC"},
          // No offset given: this PC's (UTC+8 here), and said.
          Case{"", "Latitude, -33.9100000",
               "the cast time is taken as UTC+8, this PC's offset (--utc-offset sets another)"}}) {
        const test::ScopedTimeZone china("CST-8");
        ASSERT_EQ(run(std::string("process 2014-03-05_102030_N.bin --out o --format csvmeta --nav "
                                  "nav.log ") +
                      c.options),
                  0)
            << err();
        EXPECT_NE(slurp(dir_ / "o" / "2014-03-05_102030_N.csv").find(c.latitudeLine),
                  std::string::npos)
            << c.options;
        EXPECT_NE(err().find(c.says), std::string::npos) << err();
    }
    EXPECT_EQ(run("process cast.bin --nav nav.log --position 1,2"), 2);
}

TEST_F(ProcessCommandTest, RefusalsAndWarningsGoToStderrWithTheExitStatus) {
    std::ofstream(dir_ / "file") << "x";
    struct Case {
        std::string arguments;
        int status;
        std::string reason;
    } cases[] = {
        {"process cast.bin --format pdf", 2,
         "--format must be csv, vel, txt, asvp, caris, hypack3, pro, unb, ixblue, usr or "
         "csvmeta, not 'pdf'"},
        {"process cast.bin --time 2014-03-05", 2,
         "--time must be \"YYYY-MM-DD HH:MM:SS\", not '2014-03-05'"},
        {"process cast.bin --utc-offset 20", 2, "--utc-offset must be hours from -14 to 14"},
        {"process cast.bin --position 45.5", 2, "--position must be LAT,LON"},
        // Kongsberg SIS takes no profile without a position.
        {"process cast.bin --format asvp", 1,
         "The Kongsberg SIS format needs the cast's position; no file was written!"},
        {"process missing.bin", 1, "Failed to read Raw file : missing.bin"},
        // Settings the cores refuse must not end in a success with empty or unfiltered files.
        {"process cast.bin --interval 0", 1, "at least 0.1 m and press Reset"},
        // The window would refuse it; the command line warns and fits at it.
        {"process cast.bin --interval 0.05", 0, "Depth interval can not be less than 0.1m!"},
        {"process cast.bin --filter 0.05", 1, "Depth interval can not be less than 0.1m!"},
        {"process cast.bin --out file", 1, "cannot create file"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.arguments), c.status) << c.arguments;
        EXPECT_NE(err().find(c.reason), std::string::npos) << c.arguments << "\n" << err();
    }
}

// A disk that fills up under two of the files: both are reported, the others written, and the
// run does not end as a success.
TEST_F(ProcessCommandTest, AFullDiskIsReportedAndNeverEndsInSuccess) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    fs::create_directories(dir_ / "Data");
    fs::create_symlink("/dev/full", dir_ / "Data" / "cast.prf");
    fs::create_symlink("/dev/full", dir_ / "Data" / "cast_Fitting File.csv");
    EXPECT_EQ(run("process cast.bin"), 1);
    EXPECT_NE(err().find("Failed to write SVP file : Data/cast.prf. The file is incomplete"),
              std::string::npos)
        << err();
    EXPECT_NE(err().find("Failed to write export file : Data/cast_Fitting File.csv. The file is "
                         "incomplete."),
              std::string::npos)
        << err();
    EXPECT_NE(err().find("cast.bin: not every file could be written"), std::string::npos);
    // The summary names the files written, and only those.
    EXPECT_NE(out().find("Data/cast.asvf"), std::string::npos) << out();
    EXPECT_EQ(out().find("cast.prf"), std::string::npos) << out();
    EXPECT_EQ(out().find("cast_Fitting File.csv"), std::string::npos) << out();
}

}  // namespace
}  // namespace quorvane
