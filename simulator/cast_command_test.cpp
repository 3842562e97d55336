#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/testing/program_run.h"
#include "common/testing/temp_dir_test.h"
#include "simulator/cast_generator.h"

namespace quorvane::sim {
namespace {

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class CastCommandTest : public test::TempDirTest {
  protected:
    // Runs the built quorvane-sim with its output captured in files.
    ProgramRun run(const std::vector<std::string>& args) const {
        std::string arguments;
        for (const std::string& arg : args) {
            arguments += " \"" + arg + "\"";
        }
        const int exitCode = test::runProgram(QUORVANE_SIM_PROGRAM, arguments, dir_,
                                              dir_ / "stdout.txt", dir_ / "stderr.txt");
        return {exitCode, test::slurp(dir_ / "stdout.txt"), test::slurp(dir_ / "stderr.txt")};
    }
};

TEST_F(CastCommandTest, WritesTheGeneratedCastAndSummarisesIt) {
    const std::string out = path("cast.bin");
    CastOptions options;
    options.maxDepth = 50;
    options.seed = 9;
    options.deviceId = 42;
    options.density = 1.02f;
    options.latitude = -45.5f;
    options.depthInterval = 0.25f;
    options.garbage = true;
    const ProgramRun r =
        run({"cast", "--garbage", out, "--max-depth", "50", "--seed", "9", "--device-id", "42",
             "--density", "1.02", "--latitude", "-45.5", "--interval", "0.25"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const GeneratedCast expected = generateCastWithSummary(options);
    const std::string written = test::slurp(out);
    EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.end()), expected.bytes);
    EXPECT_NE(r.out.find(std::to_string(expected.summary.records) + " records"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find(std::to_string(expected.bytes.size()) + " bytes"), std::string::npos)
        << r.out;
}

TEST_F(CastCommandTest, BadCommandLinesShowUsageAndWriteNothing) {
    const std::string out = path("out.bin");
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{}, "usage:"},
        {{"bogus"}, "unknown subcommand bogus"},
        {{"cast"}, "output file is missing"},
        {{"cast", out, "--max-depth", "500.01"}, "--max-depth"},
        {{"cast", out, "--colour", "red"}, "unknown option --colour"},
    };
    for (const auto& [args, says] : cases) {
        const ProgramRun r = run(args);
        const std::string shown = args.empty() ? "(none)" : args.back();
        EXPECT_EQ(r.exitCode, 2) << shown;
        EXPECT_NE(r.err.find(says), std::string::npos) << shown << ": " << r.err;
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << shown << ": " << r.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << shown;
    }
}

TEST_F(CastCommandTest, UnwritableOutputFails) {
    std::vector<std::string> paths = {path("no-such-folder/cast.bin")};
    if (std::filesystem::exists("/dev/full")) {
        paths.push_back("/dev/full");  // opens fine; the disk-full error shows only on flush
    }
    for (const std::string& out : paths) {
        const ProgramRun r = run({"cast", out, "--max-depth", "5"});
        EXPECT_EQ(r.exitCode, 1) << out;
        EXPECT_NE(r.err.find("cannot write " + out), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace quorvane::sim
