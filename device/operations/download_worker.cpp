#include "device/operations/download_worker.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "common/gbk_text.h"
#include "common/raw_format.h"
#include "common/raw_scan.h"
#include "common/strformat.h"
#include "device/operations/download_status.h"
#include "device/protocol/command_texts.h"
#include "device/protocol/transfer_waits.h"

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
    FileEnd receiveBlocks();
    bool zeroFill(uint32_t length);
    void showProgress();
    bool finishFile();
    void reportFile();
    bool closeOutput();

    const DownloadJob& job_;
    CommandChannel& channel_;
    TransferState state_;
    FileDownload file_;
    std::string dateText_;   // of the row, as it goes into the file's names
    int64_t fileStart_ = 0;  // counter ticks when the first block was asked for
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
    file_ = FileDownload{};
    file_.row = row;
    file_.name = gbkToUtf8(state_.fileName);
    file_.sizeText = state_.sizeText;
    file_.announcedSize = state_.fileSize;
    file_.listedSize = listedFileSize(texts);
    file_.blocks = int((uint64_t(state_.fileSize) + kBlockBytes - 1) / kBlockBytes);
    if (!state_.sizeRead) {
        // Not an empty file: the device said something that is no size. The frame's name may
        // be the previous file's, so the row's stands in.
        file_.name = texts.name;
        file_.end = FileEnd::SizeUnread;
        reportFile();
        return true;
    }
    if (state_.fileSize == 0) {
        ++summary_.empty;
        return true;
    }
    dateText_ = dateTextForFileName(texts.date);
    std::optional<OutputFile> output = createOutputFile(job_.folder, dateText_, file_.name);
    if (!output) {
        ++summary_.failed;
        channel_.prompter().ask(kCreateFailedBox);
        return true;
    }
    state_.output = std::move(output->file);
    state_.bytesReceived = 0;
    file_.path = utf8OfPath(output->path);
    file_.end = receiveBlocks();
    switch (file_.end) {
        case FileEnd::Complete:
        case FileEnd::GivenUp:
        case FileEnd::OutOfStep:
        case FileEnd::Short:
        case FileEnd::WriteFailed:
            return finishFile();
        default:
            break;
    }
    // The partial file stays on disk with every block received so far.
    closeOutput();
    reportFile();
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

FileEnd Download::receiveBlocks() {
    Clock& clock = channel_.clock();
    bool askAgain = false;
    uint32_t highestBlock = 0;
    fileStart_ = clock.counter();
    int64_t blockStart = fileStart_;
    int zeroFilledInARow = 0;
    // Blocks given up since the last one written: the device may still answer their requests
    // late, and those old blocks are then passed over until it has caught up.
    int owed = 0;
    while (state_.bytesReceived < state_.fileSize) {
        if (stopRequested()) {
            return FileEnd::Stopped;
        }
        const uint32_t length = std::min(state_.fileSize - state_.bytesReceived, kBlockBytes);
        const uint32_t block = state_.bytesReceived / kBlockBytes + 1;
        if (block > highestBlock) {
            highestBlock = block;
            blockStart = clock.counter();
        } else if (millisecondsSince(clock, blockStart) > kGiveUpBlockMs) {
            if (!zeroFill(length)) {
                return FileEnd::WriteFailed;
            }
            askAgain = false;
            ++owed;
            showProgress();
            if (++zeroFilledInARow == kBlocksGivenUpInARow &&
                state_.bytesReceived < state_.fileSize) {
                return FileEnd::GivenUp;
            }
            continue;
        }
        if (!channel_.SendCommand(askAgain ? kSendBlockAgain : kSendNextBlock)) {
            summary_.linkLost = true;
            return FileEnd::LinkLost;
        }
        file_.blocksAskedAgain += askAgain ? 1 : 0;
        const uint32_t before = state_.bytesReceived;
        const BlockResult result = ReceiveBlock(channel_, state_, int(length));
        switch (result) {
            case BlockResult::LinkBroken:
                summary_.linkLost = true;
                channel_.prompter().ask(kConnectionFailedBox);
                return FileEnd::LinkLost;
            case BlockResult::WriteFailed:
                return FileEnd::WriteFailed;
            case BlockResult::OlderBlock:
            case BlockResult::AlreadyReceived:
                // The newest block again: the request for the next one went unheard, as often
                // as it may happen in a row (the give-up time bounds a device that never moves
                // on). An older block is passed over only while the device still owes late
                // answers to blocks given up; otherwise its records were numbered wrong or it
                // is ahead of the host, and skipping would drift.
                if (owed > 0) {
                    --owed;
                } else if (result == BlockResult::OlderBlock) {
                    return FileEnd::OutOfStep;
                }
                ++file_.blocksSkipped;
                break;
            case BlockResult::Handled:
            case BlockResult::EndOfData:
                ++file_.blocksWritten;
                file_.bytesFromDevice += state_.bytesReceived - before;
                file_.bytesWritten = state_.bytesReceived;
                zeroFilledInARow = 0;
                owed = 0;
                break;
            case BlockResult::AskAgain:
                break;
        }
        askAgain = result == BlockResult::AskAgain;
        report(ExportStatus::ExportProgress,
               exportProgressValue(state_.bytesReceived, state_.fileSize), {});
        showProgress();
        if (result == BlockResult::EndOfData) {
            return FileEnd::Short;
        }
    }
    return FileEnd::Complete;
}

// Given up: zeros keep the file's length and every later offset in place.
bool Download::zeroFill(uint32_t length) {
    if (!state_.appendToOutput(std::vector<uint8_t>(length, 0))) {
        return false;
    }
    state_.lastRecordNumber = firstRecordNumberAt(state_.bytesReceived);
    state_.bytesReceived += length;
    ++file_.blocksZeroFilled;
    file_.bytesWritten = state_.bytesReceived;
    return true;
}

void Download::showProgress() {
    file_.elapsedMs = millisecondsSince(channel_.clock(), fileStart_);
    channel_.notifier().downloadProgress(file_);
}

bool Download::finishFile() {
    if (!channel_.SendCommand(kSendFileEnd)) {
        closeOutput();
        summary_.linkLost = true;
        file_.end = FileEnd::LinkLost;
        reportFile();
        return false;
    }
    AwaitFileReply(channel_, state_, HandshakeStep::FileEnd, {}, 0);
    // A full disk may show only when the last bytes reach it: such a file is not received.
    if (!closeOutput() || file_.end == FileEnd::WriteFailed) {
        file_.end = FileEnd::WriteFailed;
        channel_.prompter().ask(kWriteFailedBox);
        reportFile();
        return true;
    }
    reportFile();
    return true;
}

// Pane 1, the box and the notifier's record of the file, once its transfer has ended and the
// file is closed, so that the record count reads what is on disk. Only a file received whole
// loses the incomplete name it was received under.
void Download::reportFile() {
    if (!file_.damaged() && !file_.path.empty()) {
        if (const auto kept = keepWholeFile(pathFromUtf8(file_.path), dateText_, file_.name)) {
            file_.path = utf8OfPath(*kept);
        } else {
            file_.end = FileEnd::WriteFailed;
            channel_.prompter().ask(kWriteFailedBox);
        }
    }
    if (!file_.path.empty()) {
        file_.validRecords = countValidRecords(file_.path);
    }
    file_.status = fileDownloadStatus(file_);
    file_.completion = fileDownloadCompletion(file_);
    const bool whole = !file_.damaged();
    if (whole) {
        ++summary_.saved;
    } else {
        ++summary_.failed;
        summary_.damaged += file_.path.empty() ? 0 : 1;
    }
    if (file_.end != FileEnd::WriteFailed) {
        channel_.notifier().setStatus(StatusPane::Messages, file_.status);
    }
    channel_.notifier().downloadFinished(file_);
    switch (file_.end) {
        case FileEnd::Complete:
        case FileEnd::GivenUp:
        case FileEnd::OutOfStep:
        case FileEnd::Short:
        case FileEnd::SizeUnread:
            break;
        default:
            return;  // their own box has been shown
    }
    if (whole) {
        const char* name = file_.name.c_str();
        channel_.prompter().ask({BoxType::WarningOkCancel,
                                 {strformat("%s文件接收完成！", name),
                                  strformat("%s file receiving completed!", name)}});
    } else {
        channel_.prompter().ask({BoxType::WarningOkCancel, file_.status});
    }
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
