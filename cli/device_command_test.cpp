// Runs the built quorvane-cli device against the virtual profiler started in this process.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "cli/cli_fixture.h"
#include "device/operations/testing/device_profiler_fixture.h"
#include "simulator/cast_store.h"
#include "simulator/device_clock.h"
#include "simulator/frame_faults.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using test::slurp;
using Strings = std::vector<std::string>;

// The virtual profiler's line is left to the tool: a second reader would take its replies.
class DeviceCommandTest : public test::CliTest<test::DeviceProfilerTest> {
  protected:
    void SetUp() override {
        DeviceProfilerTest::SetUp();
        startDevice();
    }
    // (Re)starts the profiler with this fault switch (none when empty) and announced size.
    void startDevice(const std::string& fault = {}, const std::string& announcedSize = {}) {
        profiler_.reset();
        sim::ProfilerOptions o = options(fault.empty() ? Strings{} : Strings{fault});
        o.device.announcedSize = announcedSize;
        startProfiler(o, {{"A.BIN", 100}, {"B.BIN", 70000}});
    }
    // Runs the tool in the working folder against the profiler; returns its exit status.
    int run(const std::string& arguments) {
        return runCli("device --port \"" + profiler_->slavePath() + "\" " + arguments, work());
    }
};

TEST_F(DeviceCommandTest, ARefusedDeletionFailsTheRunAndSaysHowMany) {
    // Commands 1 to 8 are the probe, the read-out and the file list; the ninth deletes row 1.
    startDevice("failed@9");
    EXPECT_EQ(run("--yes delete 0 1"), 1);
    EXPECT_NE(err().find("Failed to delete the file!\n"), std::string::npos) << err();
    EXPECT_NE(err().find("1 of 2 files could not be deleted!\n"), std::string::npos) << err();
    EXPECT_EQ(err().find("Delete files successfully!"), std::string::npos) << err();
    const auto left = sim::CastStore(card().string()).list();
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
}

TEST_F(DeviceCommandTest, DownloadAllWritesTheCastsUnderDataDeviceId) {
    ASSERT_EQ(run("download --all"), 0) << err();
    for (const char* name : {"A.BIN", "B.BIN"}) {
        EXPECT_EQ(slurp(downloaded(name)), slurp(card() / name)) << name;
    }
    // 100 bytes hold the header and no whole record; 70000 hold (70000 - 72) / 36 = 1942.
    const std::string folder = (work() / "Data" / "12345678").string();
    EXPECT_EQ(out(), "A.BIN: 100 of 100 bytes received, no valid record, saved as " + folder +
                         "/2014-03-05_102030_A.BIN\n"
                         "B.BIN: 70000 of 70000 bytes received, 1942 valid records, saved as " +
                         folder +
                         "/2014-03-05_102030_B.BIN\n"
                         "2 of 2 file(s) saved in " +
                         folder + "\n");
    EXPECT_NE(err().find("B.BIN receive OK!\nB.BIN file receiving completed!\n"),
              std::string::npos);
#ifdef QUORVANE_CAST_LIBRARY
    // Both casts are kept in the working folder's library as they came.
    ASSERT_EQ(runCli("library list --json", work()), 0) << err();
    for (const char* name : {"2014-03-05_102030_A.BIN", "2014-03-05_102030_B.BIN"})
        EXPECT_NE(out().find(name), std::string::npos) << out();
#endif
}

// B.BIN is 137 blocks: 136 of 512 bytes and one of 368.
TEST_F(DeviceCommandTest, ADamagedCastIsNeverReportedAsReceived) {
    const std::string onCard = cardBytes("B.BIN");
    const auto zeroed = [&](size_t from, size_t to) {
        std::string bytes = onCard.substr(0, to);
        std::fill(bytes.begin() + std::ptrdiff_t(from), bytes.end(), '\0');
        return bytes;
    };
    std::string renumbered = onCard.substr(0, 512);
    sim::shiftRecordNumbers(renumbered, 30);
    struct Case {
        const char* name;
        const char* fault;
        const char* announced;
        int status;
        std::string bytes;  // the downloaded file; "-" for none
        const char* shown;  // pane 1 and the box, in English
        const char* zh;
        const char* result;  // part of the result line
    } const cases[] = {
        {"first block renumbered", "gap@1:30", "", 1, renumbered,
         "B.BIN stopped: the device's record numbers do not continue, 512 of 70000 bytes kept",
         "B.BIN文件接收中止：设备的记录编号不连续，保留512/70000字节",
         // (512 - 72) / 36 = 12.2: twelve whole records.
         "B.BIN: 512 of 70000 bytes received, 12 valid records"},
        {"middle block renumbered", "gap@3:30", "", 0, onCard, "B.BIN receive OK!",
         "B.BIN文件接收完成！", "B.BIN: 70000 of 70000 bytes received, 1942 valid records"},
        {"silent block", "mute@3", "", 1, zeroed(1024, 1536) + onCard.substr(1536),
         "B.BIN received with 1 of 137 blocks missing (written as zeros)",
         "B.BIN文件接收不完整：1/137个数据块缺失（已写为零）",
         // Records 26 (bytes 1008 to 1043) to 40 (1512 to 1547) reach into the zeros.
         "B.BIN: 69488 of 70000 bytes received, 1 blocks written as zeros, 1927 valid records"},
        // The device's last frame, 368 bytes where 512 were asked for, ends the cast.
        {"size too large", "", "80000", 1, onCard,
         "B.BIN short: the device sent 70000 of the 80000 bytes it announced",
         "B.BIN文件不完整：设备只发送了70000/80000字节",
         "the device announced 80000 bytes, its file list says 70000"},
        {"size too small", "", "6000", 1, onCard.substr(0, 6000),
         "B.BIN size mismatch: the device announced 6000 bytes, its file list says 70000",
         "B.BIN文件大小不符：设备报告6000字节，文件列表为70000字节",
         "the device announced 6000 bytes, its file list says 70000"},
        {"size negative", "", "-5", 1, "-",
         "B.BIN not received: the device announced the size \"-5\"",
         "B.BIN文件未接收：设备报告的文件大小“-5”无效",
         "B.BIN not received: the device announced the size \"-5\""},
        {"size no number", "", "many", 1, "-",
         "B.BIN not received: the device announced the size \"many\"",
         "B.BIN文件未接收：设备报告的文件大小“many”无效", "B.BIN not received"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(work() / "Data");
        startDevice(c.fault, c.announced);
        EXPECT_EQ(run("download 1"), c.status) << err();
        // Only the whole file takes the plain name.
        const fs::path made = c.status == 0 ? downloaded("B.BIN") : incomplete("B.BIN");
        if (c.bytes == "-") {
            EXPECT_FALSE(fs::exists(downloaded("B.BIN")) || fs::exists(incomplete("B.BIN")));
        } else {
            EXPECT_TRUE(slurp(made) == c.bytes);
            EXPECT_EQ(fs::exists(downloaded("B.BIN")), c.status == 0);
        }
        // The pane text, then the box with the same words.
        EXPECT_NE(err().find(std::string(c.shown) + "\n"), std::string::npos) << err();
        EXPECT_NE(out().find(c.result), std::string::npos) << out();
        EXPECT_EQ(out().find("receive OK"), std::string::npos);
#ifdef QUORVANE_CAST_LIBRARY
        // A damaged file is no cast to keep.
        EXPECT_EQ(fs::exists(work() / "Data" / "quorvane.sqlite"), c.status == 0);
#endif
        startDevice(c.fault, c.announced);
        fs::remove_all(work() / "Data");
        run("--lang zh download 1");
        EXPECT_NE(err().find(c.zh), std::string::npos) << err();
    }
}

// Names the instrument sends in its code page, and one that would drive the terminal.
TEST_F(DeviceCommandTest, DeviceNamesAreDecodedAndNeverReachTheTerminalRaw) {
    const std::string cast = slurp(card() / "A.BIN");
    const sim::CastStore store(card().string());
    const std::time_t written = sim::localTimeOf(2014, 3, 5, 10, 20, 30);
    ASSERT_TRUE(store.remove("A.BIN") && store.remove("B.BIN"));
    ASSERT_TRUE(store.write("CAST\xb2\xe2\xca\xd4", cast, written));  // CAST测试 in GBK
    ASSERT_TRUE(store.write("\x1b[2J\x1b]0;X\x07.BIN", cast, written));
    ASSERT_EQ(run("list"), 0) << err();
    EXPECT_EQ(out(),
              "0\t0\t?[2J?]0;X?.BIN\t100\t2014-03-05 10:20:30\n"
              "1\t1\tCAST测试\t100\t2014-03-05 10:20:30\n");
    ASSERT_EQ(run("download --all"), 0) << err();
    EXPECT_EQ(slurp(downloaded("CAST测试")), cast);
    EXPECT_EQ(slurp(downloaded("_[2J_]0;X_.BIN")), cast);
    EXPECT_NE(err().find("CAST测试 receive OK!"), std::string::npos);
    EXPECT_NE(err().find("?[2J?]0;X?.BIN receive OK!"), std::string::npos);
    for (const std::string& text : {out(), err()}) {
        EXPECT_EQ(text.find_first_of("\x1b\x07"), std::string::npos);
    }
}

TEST_F(DeviceCommandTest, NewDownloadsOnlyWhatIsNotInTheFolderYet) {
    ASSERT_EQ(run("download 0"), 0) << err();
    // An incomplete copy left by an earlier download is not the cast: it is fetched again and
    // the whole one takes the plain name.
    const std::string partial = cardBytes("B.BIN").substr(0, 512);
    std::ofstream(incomplete("B.BIN"), std::ios::binary) << partial;
    ASSERT_EQ(run("download --new"), 0) << err();
    EXPECT_NE(out().find("A.BIN: already in "), std::string::npos) << out();
    EXPECT_NE(out().find("B.BIN: 70000 of 70000 bytes received"), std::string::npos);
    EXPECT_EQ(slurp(downloaded("B.BIN")), cardBytes("B.BIN"));
    EXPECT_EQ(slurp(incomplete("B.BIN")), partial);
    ASSERT_EQ(run("download --new"), 0) << err();
    EXPECT_NE(out().find("no files to download"), std::string::npos) << out();
    // A copy of another size (a damaged one) does not count: the cast is fetched again.
    fs::resize_file(downloaded("B.BIN"), 512);
    ASSERT_EQ(run("download --new"), 0) << err();
    EXPECT_EQ(slurp(work() / "Data" / "12345678" / "2014-03-05_102030(1)_B.BIN"),
              slurp(card() / "B.BIN"));
    ASSERT_EQ(run("download --new"), 0) << err();
    EXPECT_NE(out().find("no files to download"), std::string::npos) << out();
}

// The operations themselves are tested beside them; here the rows, the confirmation and the
// settings have to reach them from the command line.
TEST_F(DeviceCommandTest, DeletionNeedsAConfirmationAndSettingsReachTheDevice) {
    const sim::CastStore store(card().string());
    EXPECT_EQ(run("delete 0"), 1);
    EXPECT_EQ(store.list().size(), 2u);
    EXPECT_EQ(run("--yes delete 0"), 0) << err();
    const auto left = store.list();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].name, "B.BIN");
    EXPECT_EQ(run("--yes clear"), 0) << err();
    EXPECT_TRUE(store.list().empty());

    EXPECT_EQ(run("set --density 1.02 --latitude -12.5 --interval 0.25"), 0) << err();
    ASSERT_EQ(run("info"), 0);
    EXPECT_NE(out().find("Density: 1.02 g/cm3\nLatitude: -12.5\nDepth interval: 0.25 m\n"),
              std::string::npos);
    EXPECT_EQ(run("time"), 0) << err();
    EXPECT_EQ(out().size(), 20u) << out();
}

TEST_F(DeviceCommandTest, UsageErrorsAndAMissingDevice) {
    for (const char* arguments :
         {"", "download", "download --all --new", "delete x", "--lang fr info", "list --new"}) {
        EXPECT_EQ(run(arguments), 2) << arguments;
        EXPECT_NE(err().find("usage: quorvane-cli device"), std::string::npos) << arguments;
    }
    EXPECT_EQ(runCli("device --port /dev/quorvane-no-such-port info", dir_), 1);
    EXPECT_EQ(err(),
              "Device Connect Failed!\nDevice Connection Failed!\n"
              "quorvane-cli device: serial port: No such file or directory\n");
}

}  // namespace
}  // namespace quorvane
