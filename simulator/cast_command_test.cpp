#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include "simulator/cast_generator.h"
#include "simulator/test_temp_dir.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

namespace quorvane::sim {
namespace {

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CastCommandTest : public TempDirTest {
protected:
    // Runs the built quorvane-sim with its output captured in files.
    ProgramRun run(const std::vector<std::string>& args) const {
        std::string command = std::string("\"") + QUORVANE_SIM_PROGRAM + "\"";
        for (const std::string& arg : args) {
            command += " \"" + arg + "\"";
        }
        const auto out = dir_ / "stdout.txt";
        const auto err = dir_ / "stderr.txt";
        command += " >\"" + out.string() + "\" 2>\"" + err.string() + "\"";
#if defined(_WIN32)
        command = "\"" + command + "\"";  // cmd.exe strips one pair of outer quotes
#endif
        ProgramRun result;
        const int status = std::system(command.c_str());
#if defined(_WIN32)
        result.exitCode = status;
#else
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
        result.out = readText(out);
        result.err = readText(err);
        return result;
    }
};

TEST_F(CastCommandTest, WritesTheGeneratedCastAndSummarisesIt) {
    const std::string path = (dir_ / "cast.bin").string();
    struct Case {
        std::vector<std::string> args;
        CastOptions options;
    };
    CastOptions custom;
    custom.maxDepth = 50;
    custom.seed = 9;
    custom.deviceId = 42;
    custom.density = 1.02f;
    custom.latitude = -45.5f;
    custom.depthInterval = 0.25f;
    CastOptions deepest;
    deepest.maxDepth = 500;
    deepest.garbage = true;
    const Case cases[] = {
        {{"cast", path, "--max-depth", "50", "--seed", "9", "--device-id", "42", "--density",
          "1.02", "--latitude", "-45.5", "--interval", "0.25"},
         custom},
        {{"cast", "--garbage", path, "--max-depth", "500"}, deepest},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.size());
        const ProgramRun r = run(c.args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const GeneratedCast expected = GenerateCastWithSummary(c.options);
        const std::string written = readText(path);
        EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.end()), expected.bytes);
        std::ostringstream summary;
        summary << expected.summary.records << " records";
        EXPECT_NE(r.out.find(summary.str()), std::string::npos) << r.out;
        EXPECT_NE(r.out.find(std::to_string(expected.bytes.size()) + " bytes"), std::string::npos)
            << r.out;
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
    }
}

TEST_F(CastCommandTest, BadCommandLinesShowUsageAndWriteNothing) {
    const std::string out = (dir_ / "out.bin").string();
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* says;
    } cases[] = {
        {{}, 2, "usage:"},
        {{"bogus"}, 2, "unknown subcommand bogus"},
        {{"cast"}, 2, "output file is missing"},
        {{"cast", out, "--max-depth", "0"}, 2, "--max-depth"},
        {{"cast", out, "--max-depth", "500.01"}, 2, "--max-depth"},
        {{"cast", out, "--max-depth", "12m"}, 2, "--max-depth"},
        {{"cast", out, "--max-depth", "nan"}, 2, "--max-depth"},
        {{"cast", out, "--seed"}, 2, "--seed needs a value"},
        {{"cast", out, "--seed", "-1"}, 2, "--seed"},
        {{"cast", out, "--interval", "0.05"}, 2, "--interval"},
        {{"cast", out, "--density", "-0.001"}, 2, "--density"},
        {{"cast", out, "--latitude", "inf"}, 2, "--latitude"},
        {{"cast", out, "--device-id", "100000000"}, 2, "--device-id"},
        {{"cast", out, "--colour", "red"}, 2, "unknown option --colour"},
        {{"cast", out, out + "2"}, 2, "only one output file"},
    };
    for (const Case& c : cases) {
        const ProgramRun r = run(c.args);
        const std::string shown = c.args.empty() ? "(none)" : c.args.back();
        EXPECT_EQ(r.exitCode, c.exitCode) << shown;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << shown << ": " << r.err;
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << shown << ": " << r.err;
        EXPECT_EQ(r.out, "") << shown;
        EXPECT_FALSE(std::filesystem::exists(out)) << shown;
    }
}

TEST_F(CastCommandTest, UnwritableOutputFails) {
    std::vector<std::string> paths = {(dir_ / "no-such-folder" / "cast.bin").string()};
    if (std::filesystem::exists("/dev/full")) {
        paths.push_back("/dev/full");  // opens fine; the disk-full error shows only on flush
    }
    for (const std::string& path : paths) {
        const ProgramRun r = run({"cast", path, "--max-depth", "5"});
        EXPECT_EQ(r.exitCode, 1) << path;
        EXPECT_NE(r.err.find("cannot write " + path), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "") << path;
    }
}

}  // namespace
}  // namespace quorvane::sim
