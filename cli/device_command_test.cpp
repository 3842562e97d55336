// Runs the built quorvane-cli device against the virtual profiler started in this process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "common/testing/temp_dir_test.h"
#include "device/operations/testing/raw_cast_bytes.h"
#include "simulator/cast_store.h"
#include "simulator/device_clock.h"
#include "simulator/fault_plan.h"
#include "simulator/virtual_profiler.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using test::slurp;

class DeviceCommandTest : public test::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        const sim::CastStore store((dir_ / "card").string());
        ASSERT_TRUE(store.prepare());
        const std::time_t modified = sim::localTimeOf(2014, 3, 5, 10, 20, 30);
        ASSERT_TRUE(store.write("A.BIN", rawCastBytes(100), modified));
        ASSERT_TRUE(store.write("B.BIN", rawCastBytes(70000), modified));
        startProfiler({});
        fs::create_directories(dir_ / "work");
    }
    void startProfiler(const std::vector<std::string>& faults) {
        profiler_.reset();
        sim::ProfilerOptions options;
        options.storageDir = (dir_ / "card").string();
        options.casts = 0;
        options.baud = 0;
        options.device.deleteMs = 0;
        options.device.clearMs = 0;
        for (const std::string& fault : faults) {
            options.faults.push_back(*sim::parseFaultRule(fault).rule);
        }
        profiler_ = std::make_unique<sim::VirtualProfiler>(options);
        std::string error;
        ASSERT_TRUE(profiler_->start(&error)) << error;
    }
    void TearDown() override {
        profiler_.reset();
        TempDirTest::TearDown();
    }

    // Runs the tool in the working folder against the profiler; returns its exit status.
    int run(const std::string& arguments) {
        const std::string command =
            "cd '" + (dir_ / "work").string() + "' && '" QUORVANE_CLI_PATH "' device --port '" +
            profiler_->slavePath() + "' " + arguments + " >../out.txt 2>../err.txt </dev/null";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string out() const { return slurp(dir_ / "out.txt"); }
    std::string err() const { return slurp(dir_ / "err.txt"); }

    std::unique_ptr<sim::VirtualProfiler> profiler_;
};

TEST_F(DeviceCommandTest, ARefusedDeletionFailsTheRunAndSaysHowMany) {
    // Commands 1 to 8 are the probe, the read-out and the file list; the ninth deletes row 1.
    startProfiler({"failed@9"});
    EXPECT_EQ(run("--yes delete 0 1"), 1);
    EXPECT_NE(err().find("Failed to delete the file!\n"), std::string::npos) << err();
    EXPECT_NE(err().find("1 of 2 files could not be deleted!\n"), std::string::npos) << err();
    EXPECT_EQ(err().find("Delete files successfully!"), std::string::npos) << err();
    const auto left = sim::CastStore((dir_ / "card").string()).list();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].name, "B.BIN");
}

TEST_F(DeviceCommandTest, InfoPrintsWhatConnectRead) {
    ASSERT_EQ(run("info"), 0) << err();
    EXPECT_EQ(out(),
              "Device ID: 12345678\n"
              "Firmware version: V1.2.0\n"
              "Voltage: 12.6 V\n"
              "Density: 1.025 g/cm3\n"
              "Latitude: 30\n"
              "Depth interval: 0.5 m\n"
              "Memory free: 7.359 GB\n"
              "Memory used: 128.000 KB\n"
              "Memory total: 7.359 GB\n"
              "State: Device OK! StateCode:0\n");
    EXPECT_EQ(err(),
              "Device Connected!\nDevice Connected!\n"
              "Device ID: 12345678   Firmware Version: V1.2.0\n"
              "Voltage: 12.6V\nDevice OK! StateCode:0\n");
}

TEST_F(DeviceCommandTest, ListPrintsTheRowsWithTheirPositions) {
    ASSERT_EQ(run("list"), 0) << err();
    EXPECT_EQ(out(),
              "0\t0\tA.BIN\t100\t2014-03-05 10:20:30\n"
              "1\t1\tB.BIN\t70,000\t2014-03-05 10:20:30\n");
    ASSERT_EQ(run("--lang zh list"), 0);
    EXPECT_NE(err().find("获取文件列表完成！"), std::string::npos);
}

TEST_F(DeviceCommandTest, DownloadAllWritesTheCastsUnderDataDeviceId) {
    ASSERT_EQ(run("download --all"), 0) << err();
    for (const char* name : {"A.BIN", "B.BIN"}) {
        EXPECT_EQ(
            slurp(dir_ / "work" / "Data" / "12345678" / ("2014-03-05_102030_" + std::string(name))),
            slurp(dir_ / "card" / name))
            << name;
    }
}

// The operations themselves are tested beside them; here the rows, the confirmation and the
// settings have to reach them from the command line.
TEST_F(DeviceCommandTest, DeletionNeedsAConfirmationAndSettingsReachTheDevice) {
    const sim::CastStore card((dir_ / "card").string());
    EXPECT_EQ(run("delete 0"), 1);
    EXPECT_EQ(card.list().size(), 2u);
    EXPECT_EQ(run("--yes delete 0"), 0) << err();
    const auto left = card.list();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].name, "B.BIN");
    EXPECT_EQ(run("--yes clear"), 0) << err();
    EXPECT_TRUE(card.list().empty());

    EXPECT_EQ(run("set --density 1.02 --latitude -12.5 --interval 0.25"), 0) << err();
    ASSERT_EQ(run("info"), 0);
    EXPECT_NE(out().find("Density: 1.02 g/cm3\nLatitude: -12.5\nDepth interval: 0.25 m\n"),
              std::string::npos);
    EXPECT_EQ(run("time"), 0) << err();
    EXPECT_EQ(out().size(), 20u) << out();
}

TEST_F(DeviceCommandTest, UsageErrorsAndAMissingDevice) {
    for (const char* arguments : {"", "download", "delete x", "--lang fr info"}) {
        EXPECT_EQ(run(arguments), 2) << arguments;
        EXPECT_NE(err().find("usage: quorvane-cli device"), std::string::npos) << arguments;
    }
    const std::string command = "cd '" + dir_.string() +
                                "' && '" QUORVANE_CLI_PATH
                                "' device --port /dev/quorvane-no-such-port info "
                                ">out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(err(),
              "Device Connect Failed!\nDevice Connection Failed!\n"
              "quorvane-cli device: serial port: No such file or directory\n");
}

}  // namespace
}  // namespace quorvane
