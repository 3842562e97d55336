// The operations over the real POSIX port against the virtual profiler on a pseudo-terminal.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/testing/temp_dir_test.h"
#include "device/link/posix_serial_port.h"
#include "device/link/system_clock.h"
#include "device/operations/connect_sequence.h"
#include "device/operations/delete_files.h"
#include "device/operations/device_settings.h"
#include "device/operations/display_rules.h"
#include "device/operations/export_file.h"
#include "device/operations/file_list.h"
#include "device/operations/testing/raw_cast_bytes.h"
#include "device/operations/testing/session_rig.h"
#include "simulator/cast_store.h"
#include "simulator/device_clock.h"
#include "simulator/fault_plan.h"
#include "simulator/virtual_profiler.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

struct Cast {
    std::string name;
    size_t size;
};

// One short block; a last block of one byte; an exact multiple of the 512-byte block.
const Cast kCasts[] = {{"SMALL.BIN", 100}, {"KILO.BIN", 1025}, {"LARGE.BIN", 512 * 586}};

class ProfilerSessionTest : public test::TempDirTest {
  protected:
    void TearDown() override {
        session_.reset();
        profiler_.reset();
        TempDirTest::TearDown();
    }

    fs::path card() const { return dir_ / "card"; }
    fs::path work() const { return dir_ / "work"; }
    fs::path downloaded(const std::string& name) const {
        return work() / "Data" / "12345678" / ("2014-03-05_102030_" + name);
    }

    sim::ProfilerOptions options(std::vector<std::string> faults = {}) const {
        sim::ProfilerOptions o;
        o.storageDir = card().string();
        o.casts = 0;
        o.baud = 0;
        o.device.deleteMs = 0;
        o.device.clearMs = 0;
        for (const std::string& fault : faults) {
            const sim::FaultParse parsed = sim::parseFaultRule(fault);
            EXPECT_TRUE(parsed.rule) << parsed.error;
            o.faults.push_back(*parsed.rule);
        }
        return o;
    }

    // A missing port, then the profiler's.
    PortLister ports() const {
        return [slave = profiler_->slavePath()](std::vector<std::string>& ports) {
            ports = {"/dev/quorvane-no-such-port", slave};
            return 1;
        };
    }

    // Puts the casts on the card, starts the profiler, connects and reads the file list.
    void start(const sim::ProfilerOptions& o) {
        const sim::CastStore store(card().string());
        ASSERT_TRUE(store.prepare());
        for (const Cast& c : kCasts) {
            ASSERT_TRUE(store.write(c.name, rawCastBytes(c.size),
                                    sim::localTimeOf(2014, 3, 5, 10, 20, 30)));
        }
        profiler_ = std::make_unique<sim::VirtualProfiler>(o);
        std::string error;
        ASSERT_TRUE(profiler_->start(&error)) << error;
        fs::create_directories(work());
        session_ = std::make_unique<DeviceSession>(port_, clock_, shown_, shown_, view_);
        session_->setWorkingFolder(work());
        ASSERT_EQ(OnConnect(*session_, ports()), ConnectOutcome::Complete);
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

    std::string cardBytes(const std::string& name) const { return test::slurp(card() / name); }

    // Every path under the working folder: downloads must not land anywhere else.
    Strings workFiles() const {
        Strings names;
        for (const auto& entry : fs::recursive_directory_iterator(work())) {
            names.push_back(fs::relative(entry.path(), work()).generic_string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    Strings expectedWorkFiles(const Strings& names) const {
        Strings expected{"Data", "Data/12345678"};
        for (const std::string& name : names) {
            expected.push_back("Data/12345678/2014-03-05_102030_" + name);
        }
        std::sort(expected.begin(), expected.end());
        return expected;
    }

    PosixSerialPort port_;
    SystemClock clock_;
    RecordingNotifier shown_;
    RecordingListView view_{shown_};
    std::unique_ptr<sim::VirtualProfiler> profiler_;
    std::unique_ptr<DeviceSession> session_;
};

TEST_F(ProfilerSessionTest, DownloadedCastsAreByteIdenticalToTheCard) {
    struct Case {
        const char* name;
        std::vector<std::string> faults;
    };
    const Case cases[] = {
        {"clean line", {}},
        {"spoiled checksums and payloads", {"checksum:0.1", "payload:0.1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        start(options(c.faults));
        EXPECT_EQ(download({0, 1, 2}).saved, 3);
        for (const Cast& cast : kCasts) {
            EXPECT_EQ(test::slurp(downloaded(cast.name)), cardBytes(cast.name)) << cast.name;
        }
        EXPECT_EQ(workFiles(), expectedWorkFiles({"KILO.BIN", "LARGE.BIN", "SMALL.BIN"}));
        if (!c.faults.empty()) {
            EXPECT_GT(profiler_->counters().repeatsServed, 0u);
        }
    }
}

TEST_F(ProfilerSessionTest, ALongSilenceZeroFillsBlocksAndKeepsTheLength) {
    // Commands 1 to 8 are the connect read-out and the file list, 9 to 11 the handshake of
    // LARGE.BIN; from 12 on it asks for blocks, and the device stalls on the ninth request.
    start(options({"silence@20:2500"}));
    const DownloadSummary summary = download({1});
    EXPECT_EQ(summary.saved, 0);
    EXPECT_EQ(summary.damaged, 1);
    const std::string original = cardBytes("LARGE.BIN");
    const std::string got = test::slurp(downloaded("LARGE.BIN"));
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

TEST_F(ProfilerSessionTest, AHangUpKeepsThePartialFileAndEndsCleanly) {
    start(options({"hangup@5:never"}));
    const DownloadSummary summary = download({1, 2});
    EXPECT_TRUE(summary.linkLost);
    EXPECT_EQ(summary.saved, 0);
    EXPECT_EQ(test::slurp(downloaded("LARGE.BIN")), cardBytes("LARGE.BIN").substr(0, 4 * 512));
    const Strings tail(shown_.events.end() - 2, shown_.events.end());
    EXPECT_EQ(tail, (Strings{"box49: Device connection failed, please reconnect the device!!",
                             "pane1: LARGE.BIN incomplete: 2048 of 300032 bytes received"}));
    EXPECT_EQ(workFiles(), expectedWorkFiles({"LARGE.BIN"}));
}

TEST_F(ProfilerSessionTest, ClosingDuringAPacedDownloadStopsTheWorkerFirst) {
    sim::ProfilerOptions paced = options();
    paced.baud = 921600;
    start(paced);
    SelectedRows rows(session_->rows(), {1});
    ASSERT_TRUE(OnExportFile(*session_, rows));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    const auto sizeSoFar = [&] {
        std::error_code missing;
        const uintmax_t size = fs::file_size(downloaded("LARGE.BIN"), missing);
        return missing ? 0 : size;
    };
    while (sizeSoFar() < 2048 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    session_->shutdown();
    EXPECT_FALSE(session_->downloadRunning());
    EXPECT_FALSE(session_->busy());
    EXPECT_FALSE(port_.isOpen());
    const std::string got = test::slurp(downloaded("LARGE.BIN"));
    EXPECT_GE(got.size(), 2048u);
    EXPECT_LT(got.size(), kCasts[2].size);
    EXPECT_EQ(got, cardBytes("LARGE.BIN").substr(0, got.size()));
}

TEST_F(ProfilerSessionTest, DeleteClearSettingsAndClock) {
    start(options());
    // Rows 0 and 2 (KILO, SMALL) go, LARGE stays and the list is read again.
    SelectedRows rows(session_->rows(), {0, 2});
    const DeleteOutcome deleted = OnDeleteFiles(*session_, rows);
    EXPECT_TRUE(deleted.ran);
    EXPECT_EQ(deleted.deleted, 2);
    EXPECT_EQ(sim::CastStore(card().string()).list().size(), 1u);
    ASSERT_EQ(session_->rows().size(), 1u);
    EXPECT_EQ(session_->rows()[0].name, "LARGE.BIN");

    EXPECT_EQ(OnSetParameters(*session_, {1.02, 45.5, 0.25}), SetOutcome::Succeeded);
    const std::optional<LocalDateTime> time = OnReadTime(*session_);
    ASSERT_TRUE(time);
    EXPECT_EQ(dateTimeText(*time).size(), 19u);

    EXPECT_EQ(OnClearMemory(*session_), ClearOutcome::Cleared);
    EXPECT_TRUE(sim::CastStore(card().string()).list().empty());
    EXPECT_TRUE(session_->rows().empty());
    EXPECT_EQ(OnFileList(*session_), FileListOutcome::NoFiles);

    // A new connect reads back what was set.
    ASSERT_EQ(OnConnect(*session_, ports()), ConnectOutcome::Complete);
    EXPECT_NEAR(session_->values().density, 1.02, 1e-6);
    EXPECT_NEAR(session_->values().latitude, 45.5, 1e-6);
    EXPECT_NEAR(session_->values().depthInterval, 0.25, 1e-6);
    const Strings log = profiler_->commandLog();
    EXPECT_NE(std::find_if(log.begin(), log.end(),
                           [](const std::string& c) { return c.starts_with("$cmd,set,utctime,"); }),
              log.end());
}

}  // namespace
}  // namespace quorvane
