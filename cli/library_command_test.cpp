// What quorvane-cli process leaves in the cast library, read back through quorvane-cli library.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "cli/cli_fixture.h"
#include "common/strformat.h"
#include "postprocess/profilefiles/point_file.h"
#include "simulator/cast_generator.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

class LibraryCommandTest : public test::CliTest<test::TempDirTest> {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        write("cast.bin", cast(3));
    }

    static std::vector<uint8_t> cast(unsigned seed) {
        sim::CastOptions options;
        options.maxDepth = 40;
        options.seed = seed;
        return sim::generateCast(options);
    }

    int run(const std::string& arguments) { return runCli(arguments, dir_); }

    // The text after `label` in what was printed, up to the next space.
    static std::string after(const std::string& text, const std::string& label) {
        const size_t at = text.find(label);
        if (at == std::string::npos)
            return "";
        const size_t start = at + label.size();
        return text.substr(start, text.find_first_of(" ,\n", start) - start);
    }
};

TEST_F(LibraryCommandTest, AProcessedCastIsRecordedOnceWithTheFactsTheSummaryPrints) {
    ASSERT_EQ(run("process cast.bin --time \"2014-03-05 10:20:30\" --utc-offset 8 "
                  "--position=-33.9,151.2"),
              0)
        << err();
    const std::string summary = out();
    std::vector<ProfilePoint> prf;
    ASSERT_TRUE(LoadProfileFile(path("Data/cast.prf"), prf).ok);
    ASSERT_GT(prf.size(), 2u);
    // The depth-weighted harmonic mean, layer by layer at the mean of each layer's two speeds.
    double depth = 0.0, time = 0.0;
    for (size_t i = 1; i < prf.size(); ++i) {
        const double layer = prf[i].depth - prf[i - 1].depth;
        depth += layer;
        time += layer / ((prf[i].soundVelocity + prf[i - 1].soundVelocity) / 2.0);
    }

    ASSERT_EQ(run("library list --json"), 0) << err();
    const std::string json = out();
    EXPECT_EQ(after(json, "\"maximum_depth_m\":"), after(summary, "Maximum depth: "));
    EXPECT_EQ(after(json, "\"maximum_depth_m\":"), fixedDecimals(prf.back().depth, 2));
    EXPECT_EQ(after(json, "\"records\":"), after(summary, "Records kept: "));
    EXPECT_EQ(after(json, "\"device_id\":"), "12345678");
    EXPECT_EQ(after(json, "\"surface_sound_velocity_ms\":"),
              fixedDecimals(prf.front().soundVelocity, 2));
    EXPECT_NEAR(std::atof(after(json, "\"harmonic_mean_sound_velocity_ms\":").c_str()),
                depth / time, 0.0051);
    for (const char* fact : {"\"utc_time\":\"2014-03-05T02:20:30Z\"", "\"latitude\":-33.9000000",
                             "\"position_source\":\"typed\""}) {
        EXPECT_NE(json.find(fact), std::string::npos) << fact << "\n" << json;
    }

    // Again with another interval: the same cast, its record replaced, the old exports kept.
    ASSERT_EQ(run("process cast.bin --interval 1 --format csv"), 0) << err();
    ASSERT_EQ(run("library show 1"), 0) << err();
    const std::string shown = out();
    EXPECT_NE(shown.find("interval=1.000"), std::string::npos) << shown;
    EXPECT_NE(shown.find("prf   " + utf8OfPath(dir_ / "Data" / "cast.prf")), std::string::npos)
        << shown;
    EXPECT_NE(shown.find("txt   " + utf8OfPath(dir_ / "Data" / "cast_Fitting File.txt")),
              std::string::npos)
        << shown;
    EXPECT_NE(run("library show 2"), 0);
    EXPECT_NE(err().find("holds no cast 2"), std::string::npos) << err();
}

TEST_F(LibraryCommandTest, ImportCountsAndALibraryThatCannotBeOpenedNeverStopsProcessing) {
    fs::create_directories(dir_ / "casts" / "day2");
    fs::copy_file(dir_ / "cast.bin", dir_ / "casts" / "same.BIN");
    write("casts/day2/other.bin", cast(4));
    write("casts/day2/bad.bin", {1, 2, 3});
    ASSERT_EQ(run("process cast.bin"), 0) << err();
    EXPECT_EQ(run("library import casts"), 1);
    EXPECT_NE(out().find("3 raw casts under casts: 1 recorded, 1 updated, 1 refused"),
              std::string::npos)
        << out() << err();

    fs::create_directories(dir_ / "locked" / "Data" / "quorvane.sqlite");
    EXPECT_EQ(runCli("process ../cast.bin ../casts/day2/other.bin --out out", dir_ / "locked"), 0);
    const std::string said = err();
    const size_t first = said.find("The cast library ");
    ASSERT_NE(first, std::string::npos) << said;
    EXPECT_EQ(said.find("The cast library ", first + 1), std::string::npos) << said;
    EXPECT_NE(said.find("processing goes on"), std::string::npos) << said;
    EXPECT_EQ(runCli("process ../cast.bin --out out --no-library", dir_ / "locked"), 0);
    EXPECT_EQ(err().find("cast library"), std::string::npos) << err();
}

}  // namespace
}  // namespace quorvane
