#include "device/operations/file_list.h"

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

// A line without its last character, which is the CR before its LF.
std::string_view withoutLastCharacter(std::string_view line) {
    return line.empty() ? line : line.substr(0, line.size() - 1);
}

}  // namespace

std::optional<FileIndexRows> fileIndexRows(std::string_view reply) {
    const size_t firstLf = reply.find('\n');
    const size_t lastLf = reply.rfind('\n');
    const size_t lastDollar = reply.rfind('$');
    if (firstLf == std::string_view::npos || firstLf == lastLf) {
        return std::nullopt;
    }
    if (withoutLastCharacter(reply.substr(0, firstLf)) != kFileIndexStartLine) {
        return std::nullopt;
    }
    if (lastDollar == std::string_view::npos || lastDollar + 1 > lastLf ||
        reply.substr(lastDollar, lastLf - 1 - lastDollar) != kFileIndexEndLine) {
        return std::nullopt;
    }
    FileIndexRows result;
    for (size_t start = firstLf + 1, lf; (lf = reply.find('\n', start)) != std::string_view::npos;
         start = lf + 1) {
        const std::string_view line = withoutLastCharacter(reply.substr(start, lf - start));
        if (line == kFileIndexEndLine) {
            result.complete = true;
            break;
        }
        if (std::optional<FileRow> row = AddFileRow(line)) {
            result.rows.push_back(std::move(*row));
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
