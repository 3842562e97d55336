#include "device/operations/device_file_list.h"

#include <optional>

#include "device/operations/command_guards.h"
#include "device/protocol/command_texts.h"

namespace quorvane {

const Message kUnreadableFileLineBox{
    BoxType::WarningOkCancel,
    {"文件列表中的文件信息无效！", "The file information in the list is invalid!"}};

namespace {

const Text kGettingList{"获取文件列表中.....", "Getting files list..."};
const Text kListFailed{"未能获取文件列表数据！", "Failed to get list!"};
const Text kListReceived{"获取文件列表数据成功！", "Get the list success!"};
const Text kListDone{"获取文件列表完成！", "Files list Getted!"};

}  // namespace

std::optional<FileIndexRows> fileIndexRows(std::string_view reply) {
    const std::optional<FileIndex> index = parseFileIndex(reply);
    if (!index) {
        return std::nullopt;
    }
    FileIndexRows result;
    result.complete = index->complete;
    for (const std::optional<FileIndexLine>& line : index->lines) {
        if (line) {
            result.rows.push_back(AddFileRow(*line));
        } else {
            FileRow placeholder;
            placeholder.placeholder = true;
            result.rows.push_back(placeholder);
            ++result.unreadable;
        }
    }
    return result;
}

FileListOutcome OnFileList(DeviceSession& session) {
    if (!passesCommandGuards(session)) {
        return FileListOutcome::Refused;
    }
    session.setRows({});
    CommandChannel& channel = session.channel();
    if (!channel.SendCommand(kGetFileIndex)) {
        return FileListOutcome::LinkLost;
    }
    DeviceNotifier& notifier = session.notifier();
    notifier.setStatus(StatusPane::Messages, kGettingList);
    const std::string reply = channel.WaitReply(kFileIndexReply);
    if (reply.empty()) {
        notifier.setStatus(StatusPane::Messages, kListFailed);
        return FileListOutcome::NoReply;
    }
    notifier.setStatus(StatusPane::Messages, kListReceived);
    std::optional<FileIndexRows> index = fileIndexRows(reply);
    if (!index) {
        return reply == kCardNoFileReply ? FileListOutcome::NoFiles : FileListOutcome::Unrecognised;
    }
    for (int i = 0; i < index->unreadable; ++i) {
        session.prompter().ask(kUnreadableFileLineBox);
    }
    session.setRows(std::move(index->rows));
    if (!index->complete) {
        return FileListOutcome::Unrecognised;
    }
    notifier.setStatus(StatusPane::Messages, kListDone);
    return FileListOutcome::Listed;
}

}  // namespace quorvane
