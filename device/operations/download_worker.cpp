#include "device/operations/download_worker.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "common/strformat.h"
#include "device/operations/export_status.h"
#include "device/protocol/command_texts.h"
#include "device/protocol/transfer_waits.h"
#include "postprocess/rawcast/raw_format.h"

namespace quorvane {

namespace {

const Message kNoSelectionBox{BoxType::Warning, {"未选中文件！", "No file is selected!"}};
const Message kCreateFailedBox{
    BoxType::WarningOkCancel,
    {"打开所导出文件失败", "Failed to create the file for data exporting"}};
const Message kWriteFailedBox{
    BoxType::WarningOkCancel,
    {"写入所导出文件失败", "Failed to write the file for data exporting"}};
const Message kConnectionFailedBox{
    BoxType::WarningOkCancel,
    {"设备连接失败，请重新连接设备！", "Device connection failed, please reconnect the device!!"}};

constexpr int kHandshakeAttempts = 5;
constexpr uint32_t kBlockBytes = 512;
// A block not accepted this long after its first request is written as zero bytes.
constexpr int64_t kGiveUpBlockMs = 1000;
constexpr int kPauseAfterHandshakeMs = 1;

// The number of the first record that starts at or after `offset` of a raw cast file (records
// numbered on from 1 after the header): after a zero fill the next block must continue from
// there. Unsigned 32-bit like the offsets, so an offset inside the header wraps to a large
// value; the first-block flag still decides the start of a file whose first block was given up.
int32_t firstRecordNumberAt(uint32_t offset) {
    const uint32_t recordsBytes = offset - uint32_t(kRawHeaderSize);
    const uint32_t records =
        recordsBytes / uint32_t(kRawRecordSize) + (recordsBytes % kRawRecordSize != 0 ? 1 : 0);
    return int32_t(records + 1);
}

class Download {
  public:
    explicit Download(const DownloadJob& job) : job_(job), channel_(job.channel) {}

    DownloadSummary run();

  private:
    enum class Outcome { Done, Failed, EndWorker };
    enum class Blocks { Complete, WriteFailed, Stopped, LinkLost };

    bool stopRequested() {
        summary_.stopped = summary_.stopped || job_.stop;
        return summary_.stopped;
    }
    void report(ExportStatus code, int64_t value, std::string_view name) {
        if (const std::optional<Text> text = OnExportStatus(int(code), value, name)) {
            channel_.notifier().setStatus(StatusPane::Messages, *text);
        }
    }
    // Codes 15, 25 and 35 name the row as the list shows it at that moment.
    void failRow(ExportStatus code, int row) {
        ++summary_.failed;
        report(code, row, job_.rows.row(row).name);
    }
    bool downloadRow(int row);
    Outcome handshake(std::string_view command, HandshakeStep step, std::string_view expected,
                      int length);
    Blocks receiveBlocks(int row);
    bool finishFile(bool blocksWritten);
    bool closeOutput();

    const DownloadJob& job_;
    CommandChannel& channel_;
    TransferState state_;
    DownloadSummary summary_;
};

DownloadSummary Download::run() {
    std::optional<int> row = job_.rows.nextSelectedRow(-1);
    if (!row) {
        report(ExportStatus::ExportNoSelection, 0, {});
        job_.busy = false;
        channel_.prompter().ask(kNoSelectionBox);
        summary_.result = -1;
        return summary_;
    }
    while (row && !stopRequested()) {
        // The next row is fixed now, whatever happens to the selection meanwhile.
        std::optional<int> next = job_.rows.nextSelectedRow(*row);
        if (next && *next <= *row) {
            next.reset();
        }
        if (!downloadRow(*row)) {
            break;
        }
        row = next;
    }
    summary_.result = 1;
    job_.busy = false;
    return summary_;
}

bool Download::downloadRow(int row) {
    const FileRow texts = job_.rows.row(row);
    if (texts.placeholder) {
        // Its index line could not be read: the device's file at this index is unknown.
        failRow(ExportStatus::ExportIndexFailed, row);
        return true;
    }
    state_.startFile();
    struct Step {
        std::string command;
        HandshakeStep step;
        std::string_view expected;
        int length;
        ExportStatus failure;
    };
    const Step steps[] = {
        {sendFileIndexCommand(row), HandshakeStep::FileIndex, kFileStartReply,
         int(kFileStartReply.size()), ExportStatus::ExportIndexFailed},
        {std::string(kSendFileStart), HandshakeStep::FileStart, kFileStartEcho,
         int(kFileStartEcho.size()), ExportStatus::ExportStep1Failed},
        {std::string(kSendFileInfo),
         HandshakeStep::FileInfo,
         {},
         0,
         ExportStatus::ExportStep2Failed},
    };
    for (const Step& step : steps) {
        switch (handshake(step.command, step.step, step.expected, step.length)) {
            case Outcome::Done:
                break;
            case Outcome::Failed:
                failRow(step.failure, row);
                return true;
            case Outcome::EndWorker:
                return false;
        }
    }
    if (state_.fileSize == 0) {
        ++summary_.empty;
        return true;
    }
    std::optional<OutputFile> output =
        createOutputFile(job_.folder, dateTextForFileName(texts.date), state_.fileName);
    if (!output) {
        ++summary_.failed;
        channel_.prompter().ask(kCreateFailedBox);
        return true;
    }
    state_.output = std::move(output->file);
    state_.bytesReceived = 0;
    channel_.notifier().showDownloadProgress(row, 0);
    switch (receiveBlocks(row)) {
        case Blocks::Complete:
            return finishFile(true);
        case Blocks::WriteFailed:
            return finishFile(false);
        case Blocks::Stopped:
        case Blocks::LinkLost:
            break;
    }
    // The partial file stays on disk with every block received so far.
    closeOutput();
    ++summary_.failed;
    return false;
}

Download::Outcome Download::handshake(std::string_view command, HandshakeStep step,
                                      std::string_view expected, int length) {
    for (int attempt = 0; attempt < kHandshakeAttempts; ++attempt) {
        if (stopRequested()) {
            return Outcome::EndWorker;
        }
        if (!channel_.SendCommand(command)) {
            summary_.linkLost = true;
            return Outcome::EndWorker;
        }
        channel_.clock().sleepMs(kPauseAfterHandshakeMs);
        if (AwaitFileReply(channel_, state_, step, expected, length) == FileReplyResult::Expected) {
            return Outcome::Done;
        }
    }
    return Outcome::Failed;
}

Download::Blocks Download::receiveBlocks(int row) {
    Clock& clock = channel_.clock();
    bool askAgain = false;
    uint32_t highestBlock = 0;
    int64_t blockStart = clock.counter();
    while (state_.bytesReceived < state_.fileSize) {
        if (stopRequested()) {
            return Blocks::Stopped;
        }
        const uint32_t length = std::min(state_.fileSize - state_.bytesReceived, kBlockBytes);
        const uint32_t block = state_.bytesReceived / kBlockBytes + 1;
        if (block > highestBlock) {
            highestBlock = block;
            blockStart = clock.counter();
        } else if (millisecondsSince(clock, blockStart) > kGiveUpBlockMs) {
            // Given up: zeros keep the file's length and every later offset in place.
            if (!state_.appendToOutput(std::vector<uint8_t>(length, 0))) {
                return Blocks::WriteFailed;
            }
            state_.lastRecordNumber = firstRecordNumberAt(state_.bytesReceived);
            askAgain = false;
            state_.bytesReceived += length;
            continue;
        }
        if (!channel_.SendCommand(askAgain ? kSendBlockAgain : kSendNextBlock)) {
            summary_.linkLost = true;
            return Blocks::LinkLost;
        }
        const BlockResult result = ReceiveBlock(channel_, state_, int(length));
        if (result == BlockResult::LinkBroken) {
            summary_.linkLost = true;
            channel_.prompter().ask(kConnectionFailedBox);
            return Blocks::LinkLost;
        }
        if (result == BlockResult::WriteFailed) {
            return Blocks::WriteFailed;
        }
        askAgain = result == BlockResult::AskAgain;
        const int64_t progress = exportProgressValue(state_.bytesReceived, state_.fileSize);
        report(ExportStatus::ExportProgress, progress, {});
        channel_.notifier().showDownloadProgress(row, progress);
    }
    return Blocks::Complete;
}

bool Download::finishFile(bool blocksWritten) {
    if (!channel_.SendCommand(kSendFileEnd)) {
        closeOutput();
        ++summary_.failed;
        summary_.linkLost = true;
        return false;
    }
    AwaitFileReply(channel_, state_, HandshakeStep::FileEnd, {}, 0);
    // A full disk may show only when the last bytes reach it: such a file is not received.
    if (!closeOutput() || !blocksWritten) {
        ++summary_.failed;
        channel_.prompter().ask(kWriteFailedBox);
        return true;
    }
    ++summary_.saved;
    report(ExportStatus::ExportFileDone, 0, state_.fileName);
    const char* name = state_.fileName.c_str();
    channel_.prompter().ask(
        {BoxType::WarningOkCancel,
         {strformat("%s文件接收完成！", name), strformat("%s file receiving completed!", name)}});
    return true;
}

bool Download::closeOutput() {
    if (!state_.output) {
        return true;
    }
    return finishWriting(std::move(state_.output));
}

}  // namespace

DownloadSummary DownloadWorker(const DownloadJob& job) {
    return Download(job).run();
}

}  // namespace quorvane
