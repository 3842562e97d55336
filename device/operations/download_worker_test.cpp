#include "device/operations/download_worker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include "common/testing/file_size_limit.h"
#include "common/testing/temp_dir_test.h"
#include "device/operations/device_file_list.h"
#include "device/operations/download_start.h"
#include "device/operations/download_status.h"
#include "device/operations/testing/raw_cast_bytes.h"
#include "device/operations/testing/session_rig.h"
#include "device/protocol/block_frame.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

Strings withoutProgress(const Strings& events) {
    Strings kept;
    std::copy_if(events.begin(), events.end(), std::back_inserter(kept),
                 [](const std::string& e) { return !e.starts_with("pane1: Progress:"); });
    return kept;
}

Strings filesIn(const fs::path& folder) {
    Strings names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        names.push_back(fs::relative(entry.path(), folder).generic_string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class DownloadTest : public test::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        rig.connectDirectly();
        rig.session.setWorkingFolder(dir_);
    }

    fs::path folder() const { return dir_ / "Data" / "12345678"; }

    // Downloads the selected rows of the device's list (or of the given rows).
    DownloadSummary download(std::vector<int> selected, std::vector<FileRow> listed = {}) {
        if (listed.empty()) {
            listed = fileIndexRows(rig.device.fileIndexReply())->rows;
        }
        SelectedRows rows(listed, std::move(selected));
        rig.session.busy() = true;
        DownloadJob job{rig.session.channel(), rows, folder(), rig.session.busy(), stop};
        const DownloadSummary summary = DownloadWorker(job);
        EXPECT_FALSE(rig.session.busy()) << "cleared on every way out";
        return summary;
    }

    // The commands of the transfer after the index step of the first file.
    Strings blockCommands() const {
        Strings blocks;
        for (const std::string& c : rig.device.commands) {
            if (c == "$cmd,send,file,3*ff" || c == "$cmd,send,file,7*ff") {
                blocks.push_back(c.substr(15, 1));
            }
        }
        return blocks;
    }

    SessionRig rig;
    std::atomic<bool> stop = false;
};

TEST_F(DownloadTest, HandshakeCommandsAndMessagesInOrder) {
    rig.device.files = {{"A.bin", rawCastBytes(100)}, {"B.bin", rawCastBytes(1500)}};
    EXPECT_EQ(download({0, 1}).result, 1);
    EXPECT_EQ(rig.device.commands,
              (Strings{"$cmd,send,fileindex,0*ff", "$cmd,send,file,1*ff", "$cmd,send,file,2*ff",
                       "$cmd,send,file,3*ff", "$cmd,send,file,4*ff", "$cmd,send,fileindex,1*ff",
                       "$cmd,send,file,1*ff", "$cmd,send,file,2*ff", "$cmd,send,file,3*ff",
                       "$cmd,send,file,3*ff", "$cmd,send,file,3*ff", "$cmd,send,file,4*ff"}));
    // Progress after each block, truncated: 512 / 1500 = 34.133..%, 1024 / 1500 = 68.266..%.
    EXPECT_EQ(rig.shown.events,
              (Strings{"pane1: Progress:100.00%", "pane1: A.bin receive OK!",
                       "box49: A.bin file receiving completed!", "pane1: Progress:34.13%",
                       "pane1: Progress:68.26%", "pane1: Progress:100.00%",
                       "pane1: B.bin receive OK!", "box49: B.bin file receiving completed!"}));
    // A pause of 1 ms after each handshake command.
    EXPECT_EQ(std::count(rig.clock.sleeps().begin(), rig.clock.sleeps().end(), 1), 6);
}

TEST_F(DownloadTest, SpoiledFramesAreAskedForAgainAndTheFileStaysWhole) {
    const std::string bytes = rawCastBytes(3000);
    struct Case {
        const char* name;
        FrameFault fault;
    };
    const Case cases[] = {
        {"checksum", {.badChecksum = true}},
        {"payload", {.noisyPayload = true}},
        {"dropped", {.drop = true}},
        {"late but within 200 ms", {.delayMs = 150}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(folder());
        rig.device.commands.clear();
        rig.device.files = {{"F.bin", bytes}};
        rig.device.frameFault = [&](int frame, size_t) {
            return frame % 3 == 2 ? c.fault : FrameFault{};
        };
        EXPECT_EQ(download({0}).saved, 1);
        EXPECT_EQ(test::slurp(folder() / "2014-03-05_102030_F.bin"), bytes);
        const Strings blocks = blockCommands();
        const bool retried = std::count(blocks.begin(), blocks.end(), "7") > 0;
        EXPECT_EQ(retried, c.fault.delayMs == 0);
    }
}

TEST_F(DownloadTest, ADeviceThatMissesRequestsForItsNextBlockResendsTheNewestHarmlessly) {
    // Six blocks. The device answers "svp_ok" to the third request for a next block and to the
    // ones after it, without moving on: the host asks again, gets the second block once more,
    // passes it over and asks for the next block again, however often in a row that happens.
    const std::string bytes = rawCastBytes(3000);
    for (const int misses : {1, 2, 4}) {
        SCOPED_TRACE(misses);
        fs::remove_all(folder());
        rig.device.commands.clear();
        rig.shown.downloads.clear();
        rig.device.files = {{"M.bin", bytes}};
        rig.device.mishears = [misses](const std::string& command, int count) {
            const bool missed =
                command == "$cmd,send,file,3*ff" && count >= 3 && count < 3 + misses;
            return missed ? std::optional<std::string>("svp_ok\r\n") : std::nullopt;
        };
        EXPECT_EQ(download({0}).saved, 1);
        EXPECT_EQ(test::slurp(folder() / "2014-03-05_102030_M.bin"), bytes);
        ASSERT_EQ(rig.shown.downloads.size(), 1u);
        EXPECT_EQ(rig.shown.downloads[0].blocksSkipped, misses);
        Strings expected{"3", "3"};
        for (int i = 0; i < misses; ++i) {
            expected.insert(expected.end(), {"3", "7"});
        }
        expected.insert(expected.end(), {"3", "3", "3", "3"});
        EXPECT_EQ(blockCommands(), expected);
    }
}

TEST_F(DownloadTest, ABlockMissingForMoreThanASecondIsWrittenAsZeros) {
    const std::string bytes = rawCastBytes(2000);
    rig.device.files = {{"Z.bin", bytes}};
    rig.device.frameFault = [](int, size_t offset) { return FrameFault{.drop = offset == 512}; };
    const DownloadSummary summary = download({0});
    EXPECT_EQ(summary.saved, 0);
    EXPECT_EQ(summary.damaged, 1);
    EXPECT_EQ(withoutProgress(rig.shown.events),
              (Strings{"pane1: Z.bin received with 1 of 4 blocks missing (written as zeros)",
                       "box49: Z.bin received with 1 of 4 blocks missing (written as zeros)"}));
    std::string expected = bytes;
    std::fill(expected.begin() + 512, expected.begin() + 1024, '\0');
    // The block after the gap continues from record ceil((512 - 72) / 36) + 1 = 14 and is
    // accepted; the length and every later offset are kept.
    EXPECT_EQ(test::slurp(folder() / "2014-03-05_102030_Z_incomplete.bin"), expected);
    const Strings blocks = blockCommands();
    ASSERT_GE(blocks.size(), 5u);
    EXPECT_EQ(blocks[0], "3");
    EXPECT_EQ(blocks[1], "3");
    EXPECT_EQ(blocks[2], "7");
    EXPECT_EQ(blocks.back(), "3");
    EXPECT_EQ(blocks[blocks.size() - 2], "3") << "nothing is sent for the given-up block";
}

// Files the device did not send as its list shows them: each ends damaged, under its
// incomplete name, with every byte the device sent and nothing else.
TEST_F(DownloadTest, FilesThatAreNotTheDevicesAsListedAreNeverCalledGood) {
    struct Case {
        const char* name;
        std::string bytes;      // on the card, and the size the list shows
        std::string announced;  // by the file-info frame
        std::string kept;       // in the file made
        const char* status;
    };
    // Records from number 28 (the first of the third block) leap 25 ahead: the third block
    // never continues the second; the last block, from the zero fill's restart point plus the
    // leap, is too far ahead as well.
    const std::string leaping = rawCastBytes(2000, 28, 25);
    const std::string shortEnd = rawCastBytes(1464);
    const std::string listed = rawCastBytes(9000);
    const Case cases[] = {
        {"records leap", leaping, "", leaping.substr(0, 1024) + std::string(976, '\0'),
         "C.bin received with 2 of 4 blocks missing (written as zeros)"},
        {"announced beyond the data: the short last frame is the end", shortEnd, "2000", shortEnd,
         "C.bin short: the device sent 1464 of the 2000 bytes it announced"},
        {"announced below the list", listed, "6000", listed.substr(0, 6000),
         "C.bin size mismatch: the device announced 6000 bytes, its file list says 9000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(folder());
        rig.shown.events.clear();
        rig.device.files = {{"C.bin", c.bytes, 17509, 21135, c.announced}};
        const DownloadSummary summary = download({0});
        EXPECT_EQ(summary.saved, 0);
        EXPECT_EQ(summary.damaged, 1);
        EXPECT_EQ(withoutProgress(rig.shown.events),
                  (Strings{std::string("pane1: ") + c.status, std::string("box49: ") + c.status}));
        EXPECT_EQ(filesIn(dir_), (Strings{"Data", "Data/12345678",
                                          "Data/12345678/2014-03-05_102030_C_incomplete.bin"}));
        EXPECT_EQ(test::slurp(folder() / "2014-03-05_102030_C_incomplete.bin"), c.kept);
    }
}

// The texts built from a value; the fixed ones are checked where the download shows them.
TEST(ExportStatus, BuiltTextsProgressValuesAndUnknownCodes) {
    EXPECT_EQ(OnExportStatus(45, 3413, "")->zh, "导出进度：34.13%");
    EXPECT_EQ(OnExportStatus(50, 0, "CAST.bin")->zh, "CAST.bin文件接收完成！");
    for (int unknown : {0, 6, 44, 51}) {
        EXPECT_FALSE(OnExportStatus(unknown, 0, "N"));
    }
    EXPECT_EQ(exportProgressValue(1499, 1500), 9993);
    EXPECT_EQ(exportProgressValue(4000000000u, 4000000000u), 10000);
    EXPECT_TRUE(isExportProgressText(*OnExportStatus(45, 1, "")));
    EXPECT_FALSE(isExportProgressText(*OnExportStatus(50, 0, "Progress:")));
}

TEST_F(DownloadTest, EachHandshakeStepGivesUpAfterFiveAttempts) {
    struct Case {
        const char* command;
        std::string reply;  // a frame holds any byte, NUL included
        Strings events;     // of the failing file
        const char* zh;
    };
    const std::vector<uint8_t> badInfo = [] {
        std::vector<uint8_t> frame = makeBlockFrame(std::vector<uint8_t>(20, ','));
        frame.back() ^= 1;
        return frame;
    }();
    const Case cases[] = {
        {"$cmd,send,fileindex,0*ff",
         "$cmd,send,file,nofile*ff\r\n",
         {"pane1: Failed to export file: A.bin"},
         "导出A.bin文件失败"},
        {"$cmd,send,file,1*ff",
         "$cmd,send,file,9*ff\r\n",
         {"box49: Communication Err, Please Check Device!", "pane1: Failed to export file: A.bin"},
         "导出A.bin文件时，第一步命令错误"},
        {"$cmd,send,file,2*ff",
         std::string(badInfo.begin(), badInfo.end()),
         {"pane1: Failed to export file: A.bin"},
         "导出A.bin文件时，第二步命令错误"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        rig.shown.events.clear();
        rig.shown.texts.clear();
        rig.device.commands.clear();
        rig.device.files = {{"A.bin", rawCastBytes(100)}, {"B.bin", rawCastBytes(100)}};
        for (int attempt = 0; attempt < 5; ++attempt) {
            rig.device.answerOnce(c.command, c.reply);
        }
        fs::remove_all(folder());
        EXPECT_EQ(download({0, 1}).failed, 1);
        const Strings& sent = rig.device.commands;
        const auto secondFile = std::find(sent.begin(), sent.end(), "$cmd,send,fileindex,1*ff");
        EXPECT_EQ(std::count(sent.begin(), secondFile, c.command), 5);
        Strings expected = c.events;
        expected.insert(expected.end(),
                        {"pane1: B.bin receive OK!", "box49: B.bin file receiving completed!"});
        EXPECT_EQ(withoutProgress(rig.shown.events), expected);
        // The step shows only in the Chinese text.
        EXPECT_EQ(rig.shown.texts[c.events.size() - 1].zh, c.zh);
        EXPECT_EQ(filesIn(dir_),
                  (Strings{"Data", "Data/12345678", "Data/12345678/2014-03-05_102030_B.bin"}));
    }
}

TEST_F(DownloadTest, NothingSelected) {
    rig.device.files = {{"A.bin", rawCastBytes(100)}};
    const DownloadSummary summary = download({});
    EXPECT_EQ(summary.result, -1);
    EXPECT_EQ(rig.shown.events,
              (Strings{"pane1: No file is selected!", "box48: No file is selected!"}));
    EXPECT_TRUE(rig.device.commands.empty());
}

TEST_F(DownloadTest, RowsGoInListOrderByPositionAndAPlaceholderIsNeverRequested) {
    for (const char* name : {"A", "B", "C", "D", "E", "F"}) {
        rig.device.files.push_back({name, rawCastBytes(100)});
    }
    std::vector<FileRow> rows = fileIndexRows(rig.device.fileIndexReply())->rows;
    rows[3] = FileRow{};
    rows[3].placeholder = true;
    const DownloadSummary summary = download({5, 3, 0, 2}, rows);
    EXPECT_EQ(summary.failed, 1);
    EXPECT_EQ(summary.saved, 3);
    Strings indexes;
    std::copy_if(rig.device.commands.begin(), rig.device.commands.end(),
                 std::back_inserter(indexes),
                 [](const std::string& c) { return c.starts_with("$cmd,send,fileindex,"); });
    EXPECT_EQ(indexes, (Strings{"$cmd,send,fileindex,0*ff", "$cmd,send,fileindex,2*ff",
                                "$cmd,send,fileindex,5*ff"}));
    EXPECT_EQ(withoutProgress(rig.shown.events)[4], "pane1: Failed to export file: ");
}

// The device's ID and file names are taken apart and sanitised; the working folder only ever
// gets Data/<one folder>/<new files>, and a second download never overwrites the first.
TEST_F(DownloadTest, DeviceNamesStayInsideDataAndNothingIsOverwritten) {
    rig.device.files = {{"../../evil", rawCastBytes(100)}, {"a/b\\c", rawCastBytes(100)}};
    rig.session.values().deviceId = "../..";
    for (int pass = 0; pass < 2; ++pass) {
        SelectedRows rows(fileIndexRows(rig.device.fileIndexReply())->rows, {0, 1});
        ASSERT_TRUE(OnExportFile(rig.session, rows));
        ASSERT_TRUE(rig.session.waitForDownload());
    }
    EXPECT_FALSE(rig.session.busy());
    const std::string in = "Data/..___/2014-03-05_102030";
    EXPECT_EQ(filesIn(dir_), (Strings{"Data", "Data/..___", in + "(1)_.._.._evil", in + "(1)_a_b_c",
                                      in + "_.._.._evil", in + "_a_b_c"}));
}

TEST_F(DownloadTest, ABrokenLineKeepsThePartialFileAndEndsTheWorker) {
    const std::string bytes = rawCastBytes(3000);
    rig.device.files = {{"H.bin", bytes}, {"I.bin", rawCastBytes(100)}};
    rig.device.frameFault = [&](int frame, size_t) {
        if (frame == 3) {
            rig.port.failReadAt();
            return FrameFault{.drop = true};
        }
        return FrameFault{};
    };
    const DownloadSummary summary = download({0, 1});
    EXPECT_TRUE(summary.linkLost);
    EXPECT_EQ(summary.saved, 0);
    EXPECT_EQ(test::slurp(folder() / "2014-03-05_102030_H_incomplete.bin"), bytes.substr(0, 1024));
    EXPECT_EQ(withoutProgress(rig.shown.events),
              (Strings{"box49: Reading serial port failed when exporting file, please check the "
                       "connection!",
                       "box49: Device connection failed, please reconnect the device!!",
                       "pane1: H.bin incomplete: 1024 of 3000 bytes received"}));
    EXPECT_EQ(rig.device.commands.back(), "$cmd,send,file,3*ff") << "the next row is not tried";
}

TEST_F(DownloadTest, AFolderThatCannotBeMadeIsNeverReportedAsReceived) {
    // Data is a regular file, so Data/12345678 cannot be made, whoever runs the test.
    std::ofstream(dir_ / "Data") << "not a folder";
    rig.device.files = {{"A.bin", rawCastBytes(100)}, {"B.bin", rawCastBytes(1500)}};
    const DownloadSummary summary = download({0, 1});
    EXPECT_EQ(summary.result, 1);
    EXPECT_EQ(summary.saved, 0);
    EXPECT_EQ(summary.failed, 2);
    EXPECT_EQ(withoutProgress(rig.shown.events),
              (Strings{"box49: Failed to create the file for data exporting",
                       "box49: Failed to create the file for data exporting"}));
    EXPECT_TRUE(rig.shown.downloads.empty());
    EXPECT_EQ(filesIn(dir_), (Strings{"Data"}));
}

TEST_F(DownloadTest, AFailedCommandWriteRunsTheDisconnectHandling) {
    const std::string bytes = rawCastBytes(3000);
    rig.device.files = {{"W.bin", bytes}};
    rig.device.frameFault = [&](int frame, size_t) {
        if (frame == 2) {
            rig.port.failNextWrites();
        }
        return FrameFault{};
    };
    const DownloadSummary summary = download({0});
    EXPECT_TRUE(summary.linkLost);
    EXPECT_FALSE(rig.session.connected());
    EXPECT_EQ(test::slurp(folder() / "2014-03-05_102030_W_incomplete.bin"), bytes.substr(0, 1024));
    const Strings tail(rig.shown.events.end() - 2, rig.shown.events.end());
    EXPECT_EQ(tail, (Strings{"reset", "pane1: W.bin incomplete: 1024 of 3000 bytes received"}));
}

#if !defined(_WIN32)
TEST_F(DownloadTest, AFullDiskIsNeverReportedAsReceived) {
    rig.device.files = {{"D.bin", rawCastBytes(3000)}, {"E.bin", rawCastBytes(100)}};
    DownloadSummary summary;
    {
        test::FileSizeLimit limit(1000);
        summary = download({0, 1});
    }
    EXPECT_EQ(summary.failed, 1);
    EXPECT_EQ(summary.saved, 1) << "the next file fits";
    const Strings events = withoutProgress(rig.shown.events);
    EXPECT_EQ(events,
              (Strings{"box49: Failed to write the file for data exporting",
                       "pane1: E.bin receive OK!", "box49: E.bin file receiving completed!"}));
    EXPECT_LE(fs::file_size(folder() / "2014-03-05_102030_D_incomplete.bin"), 1000u);
}
#endif

}  // namespace
}  // namespace quorvane
