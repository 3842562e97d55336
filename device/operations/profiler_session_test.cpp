// The operations over the real POSIX port against the virtual profiler on a pseudo-terminal.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "device/link/posix_serial_port.h"
#include "device/link/system_clock.h"
#include "device/operations/connect_sequence.h"
#include "device/operations/device_file_list.h"
#include "device/operations/download_start.h"
#include "device/operations/testing/device_profiler_fixture.h"
#include "device/operations/testing/session_rig.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;
using test::Cast;

// One short block; a last block of one byte; an exact multiple of the 512-byte block.
const std::vector<Cast> kCasts = {{"SMALL.BIN", 100}, {"KILO.BIN", 1025}, {"LARGE.BIN", 512 * 586}};

class ProfilerSessionTest : public test::DeviceProfilerTest {
  protected:
    void TearDown() override {
        session_.reset();
        DeviceProfilerTest::TearDown();
    }

    // Puts the casts on the card, starts the profiler, connects (past a missing port) and
    // reads the file list.
    void start(const sim::ProfilerOptions& o) {
        startProfiler(o, kCasts);
        session_ = std::make_unique<DeviceSession>(port_, clock_, shown_, shown_, view_);
        session_->setWorkingFolder(work());
        const PortLister ports = [slave = profiler_->slavePath()](Strings& ports) {
            ports = {"/dev/quorvane-no-such-port", slave};
            return 1;
        };
        ASSERT_EQ(OnConnect(*session_, ports), ConnectOutcome::Complete);
        ASSERT_EQ(OnFileList(*session_), FileListOutcome::Listed);
    }

    // Rows 0, 1 and 2 are KILO.BIN, LARGE.BIN and SMALL.BIN.
    DownloadSummary download(std::vector<int> selected) {
        SelectedRows rows(session_->rows(), std::move(selected));
        EXPECT_TRUE(OnExportFile(*session_, rows));
        const std::optional<DownloadSummary> summary = session_->waitForDownload();
        EXPECT_FALSE(session_->busy());
        return summary.value_or(DownloadSummary{});
    }

    PosixSerialPort port_;
    SystemClock clock_;
    RecordingNotifier shown_;
    RecordingListView view_{shown_};
    std::unique_ptr<DeviceSession> session_;
};

// About a tenth of the frames spoiled either way: asked for again until the casts are whole.
TEST_F(ProfilerSessionTest, SpoiledFramesStillGiveCastsByteIdenticalToTheCard) {
    start(options({"checksum:0.1", "payload:0.1"}));
    EXPECT_EQ(download({0, 1, 2}).saved, 3);
    EXPECT_GT(profiler_->counters().repeatsServed, 0u);
    for (const Cast& cast : kCasts) {
        EXPECT_EQ(test::slurp(downloaded(cast.name)), cardBytes(cast.name)) << cast.name;
    }
    // Downloads land nowhere else under the working folder.
    Strings made;
    for (const auto& entry : fs::recursive_directory_iterator(work())) {
        made.push_back(fs::relative(entry.path(), work()).generic_string());
    }
    std::sort(made.begin(), made.end());
    const std::string in = "Data/12345678/2014-03-05_102030_";
    EXPECT_EQ(made, (Strings{"Data", "Data/12345678", in + "KILO.BIN", in + "LARGE.BIN",
                             in + "SMALL.BIN"}));
}

TEST_F(ProfilerSessionTest, ALongSilenceZeroFillsBlocksAndKeepsTheLength) {
    // Commands 1 to 8 are the connect read-out and the file list, 9 to 11 the handshake of
    // LARGE.BIN; from 12 on it asks for blocks, and the device stalls on the ninth request.
    start(options({"silence@20:2500"}));
    const DownloadSummary summary = download({1});
    EXPECT_EQ(summary.saved, 0);
    EXPECT_EQ(summary.damaged, 1);
    const std::string original = cardBytes("LARGE.BIN");
    const std::string got = test::slurp(incomplete("LARGE.BIN"));
    ASSERT_EQ(got.size(), original.size());
    int zeroBlocks = 0;
    for (size_t offset = 0; offset < got.size(); offset += 512) {
        const std::string block = got.substr(offset, 512);
        if (block != original.substr(offset, 512)) {
            EXPECT_EQ(block, std::string(block.size(), '\0')) << "block at " << offset;
            ++zeroBlocks;
        }
    }
    EXPECT_GT(zeroBlocks, 0);
    // The device's late answers were passed over until it caught up, and the file says so.
    ASSERT_EQ(shown_.downloads.size(), 1u);
    const FileDownload& file = shown_.downloads[0];
    EXPECT_EQ(file.end, FileEnd::Complete);
    EXPECT_EQ(file.blocksZeroFilled, zeroBlocks);
    EXPECT_EQ(file.blocksWritten, 586 - zeroBlocks);
    EXPECT_EQ(file.bytesFromDevice, original.size() - 512u * unsigned(zeroBlocks));
    EXPECT_EQ(shown_.events.back(), "box49: LARGE.BIN received with " + std::to_string(zeroBlocks) +
                                        " of 586 blocks missing (written as zeros)");
}

}  // namespace
}  // namespace quorvane
