#include "device/operations/delete_files.h"

#include <deque>

#include "common/strformat.h"

#include "device/operations/command_guards.h"
#include "device/operations/device_file_list.h"
#include "device/operations/display_rules.h"
#include "device/operations/reply_readers.h"
#include "device/protocol/command_texts.h"

namespace quorvane {

const Message kDeleteFilesQuestion{
    BoxType::WarningOkCancel,
    {"文件删除后无法找回!\n确定删除选中文件吗？",
     "The files will be lost!\nAre you sure to delete the selected files?"}};
const Message kClearAllQuestion{BoxType::WarningOkCancel,
                                {"清空后所有文件无法找回！\n确定要清空内存吗？",
                                 "All files will be lost!\nAre you sure to do this?"}};

namespace {

const Text kNoSelection{"未选中文件！", "No file is selected!"};
const Text kDeleting{"文件删除中...请等待！", "Delete files... Please wait!"};
const Text kDeleteFailed{"文件删除失败！", "Failed to delete the file!"};
const Text kMemoryNotUpdated{"未能更新设备存储空间值", "Failed to update device memory"};
const Text kDeleted{"删除文件成功", "Delete files successfully!"};
const Message kDeletedBox{BoxType::Warning, {"删除文件成功！", "Delete files successfully!"}};

// A run in which the device refused some deletions must not end in the success texts: the
// user would take files for gone that are still on the device (or the reverse).
Text someNotDeleted(int failed, int total) {
    return {strformat("%d个文件中有%d个未能删除！", total, failed),
            strformat("%d of %d files could not be deleted!", failed, total)};
}
const Text kClearing{"清空文件中...", "Clearing the files.."};
const Text kCleared{"清空文件成功！", "Clear files successfully!"};
const Text kClearFailed{"清空文件失败！", "Clear files failed!"};

}  // namespace

DeleteOutcome OnDeleteFiles(DeviceSession& session, RowSource& rows) {
    DeleteOutcome outcome;
    if (!passesCommandGuards(session)) {
        return outcome;
    }
    DeviceNotifier& notifier = session.notifier();
    Prompter& prompter = session.prompter();
    // Filled in ascending order, taken from the back: the highest position goes first.
    std::deque<int> queue;
    for (int position : selectedPositions(rows)) {
        if (!rows.row(position).placeholder) {
            queue.push_back(position);
        }
    }
    if (queue.empty()) {
        notifier.setStatus(StatusPane::Messages, kNoSelection);
        prompter.ask({BoxType::Warning, kNoSelection});
        return outcome;
    }
    if (prompter.ask(kDeleteFilesQuestion) != Button::Ok) {
        return outcome;
    }
    CommandChannel& channel = session.channel();
    while (!queue.empty()) {
        if (!channel.SendCommand(deleteFileCommand(queue.back()))) {
            return outcome;
        }
        const bool deleted = channel.WaitReply(kDeleteReply) == kOkResult;
        notifier.setStatus(StatusPane::Messages, deleted ? kDeleting : kDeleteFailed);
        ++(deleted ? outcome.deleted : outcome.failed);
        queue.pop_back();
    }
    OnFileList(session);
    const std::optional<std::string> space = channel.exchange(kSpaceReply);
    if (!space) {
        return outcome;
    }
    if (!space->empty()) {
        ReadMemory(channel, session.values(), *space);
    } else {
        notifier.setStatus(StatusPane::Messages, kMemoryNotUpdated);
    }
    if (outcome.failed > 0) {
        const Text failed = someNotDeleted(outcome.failed, outcome.deleted + outcome.failed);
        notifier.setStatus(StatusPane::Messages, failed);
        prompter.ask({BoxType::Warning, failed});
    } else {
        notifier.setStatus(StatusPane::Messages, kDeleted);
        prompter.ask(kDeletedBox);
    }
    outcome.ran = true;
    return outcome;
}

ClearOutcome OnClearMemory(DeviceSession& session) {
    if (!passesBusyGuard(session)) {
        return ClearOutcome::Refused;
    }
    return ClearAllFiles(session);
}

ClearOutcome ClearAllFiles(DeviceSession& session) {
    if (!passesConnectedGuard(session)) {
        return ClearOutcome::Refused;
    }
    Prompter& prompter = session.prompter();
    if (prompter.ask(kClearAllQuestion) != Button::Ok) {
        return ClearOutcome::Cancelled;
    }
    CommandChannel& channel = session.channel();
    if (!channel.SendCommand(kDeleteAll)) {
        return ClearOutcome::LinkLost;
    }
    DeviceNotifier& notifier = session.notifier();
    notifier.setStatus(StatusPane::Messages, kClearing);
    if (channel.WaitReply(kDeleteAllReply) != kOkResult) {
        notifier.setStatus(StatusPane::Messages, kClearFailed);
        prompter.ask({BoxType::Warning, kClearFailed});
        return ClearOutcome::Failed;
    }
    session.setRows({});
    // The stored figures stay as read; the fields show the whole capacity free.
    notifier.showMemory(FormatMemorySize(session.values().totalMemory), FormatMemorySize(0));
    notifier.setStatus(StatusPane::Messages, kCleared);
    prompter.ask({BoxType::Information, kCleared});
    return ClearOutcome::Cleared;
}

}  // namespace quorvane
