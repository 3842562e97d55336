// Runs the built quorvane-cli on real cast files and reads what it wrote.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "common/testing/temp_dir_test.h"
#include "postprocess/profilefiles/point_file.h"
#include "simulator/cast_generator.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

using test::slurp;

class ProcessCommandTest : public test::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        sim::CastOptions options;
        options.maxDepth = 40;
        options.seed = 3;
        write("cast.bin", sim::GenerateCast(options));
    }

    // Runs the tool in the test folder; returns its exit status.
    int run(const std::string& arguments) {
        const std::string command = "cd '" + dir_.string() + "' && '" QUORVANE_CLI_PATH "' " +
                                    arguments + " >out.txt 2>err.txt";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string out() const { return slurp(dir_ / "out.txt"); }
    std::string err() const { return slurp(dir_ / "err.txt"); }

    std::set<std::string> filesIn(const fs::path& folder) const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }
};

TEST_F(ProcessCommandTest, WritesEveryFileAndASummary) {
    ASSERT_EQ(run("process cast.bin"), 0) << err();
    EXPECT_EQ(filesIn(dir_ / "Data"),
              (std::set<std::string>{
                  "cast.prf", "cast.asvf", "cast_Raw File.csv", "cast_Raw File.vel",
                  "cast_Raw File.txt", "cast_Fitting File.csv", "cast_Fitting File.vel",
                  "cast_Fitting File.txt", "cast_Average File.csv", "cast_Average File.txt"}));
    const std::string summary = out();
    EXPECT_NE(summary.find("Device ID: 12345678"), std::string::npos) << summary;
    EXPECT_NE(summary.find("Maximum depth:"), std::string::npos) << summary;
    EXPECT_NE(err().find("Average Sound Velocity:"), std::string::npos) << err();
}

TEST_F(ProcessCommandTest, ChineseNamesFormatsAndOverrides) {
    ASSERT_EQ(run("process cast.bin --lang zh --out 结果 --format txt --interval 1 --filter 2 "
                  "--start-depth 5"),
              0)
        << err();
    EXPECT_EQ(filesIn(dir_ / "结果"),
              (std::set<std::string>{"cast.prf", "cast.asvf", "cast_原始数据.txt",
                                     "cast_拟合数据.txt", "cast_平均声速.txt"}));
    // The average text starts with the GBK "起始深度" and the start depth given.
    const std::string average = slurp(dir_ / "结果" / "cast_平均声速.txt");
    EXPECT_EQ(average.rfind("\xC6\xF0\xCA\xBC\xC9\xEE\xB6\xC8,5.000\r\n", 0), 0u);
    std::vector<ProfilePoint> fitted;
    LoadProfileFile((dir_ / "结果" / "cast.prf").string(), fitted);
    ASSERT_GT(fitted.size(), 2u);
    EXPECT_DOUBLE_EQ(fitted[1].depth - fitted[0].depth, 1.0);
}

TEST_F(ProcessCommandTest, RefusalsAndWarningsGoToStderrWithTheExitStatus) {
    std::ofstream(dir_ / "file") << "x";
    struct Case {
        std::string arguments;
        int status;
        std::string reason;
    } cases[] = {
        {"process cast.bin --format pdf", 2, "--format must be csv, vel or txt"},
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

}  // namespace
}  // namespace quorvane
