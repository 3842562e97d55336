#pragma once

#include <string_view>
#include <vector>

#include "common/message.h"
#include "device/operations/device_session.h"

namespace quorvane {

enum class FileListOutcome {
    Refused,       // busy or not connected: the guard's box
    LinkLost,      // the request could not be written
    NoReply,       // "Failed to get list!"
    NoFiles,       // the device said it holds no files
    Unrecognised,  // start or end line missing: the list stays empty
    Listed,        // "Files list Getted!"
};

// The warning for an index line that cannot be read; its row becomes a placeholder.
extern const Message kUnreadableFileLineBox;

// File list: asks the device for its index and shows one row per file line. A row's position
// is the device's index of the file, so an unreadable line still takes its place (as a
// placeholder) after the warning box.
FileListOutcome OnFileList(DeviceSession& session);

struct FileIndexRows {
    std::vector<FileRow> rows;
    bool complete = false;  // the end line was reached
    int unreadable = 0;     // placeholder rows among them
};

// The rows of a whole index reply, or nothing when its first line is not the start line or
// its last line not the end line.
std::optional<FileIndexRows> fileIndexRows(std::string_view reply);

}  // namespace quorvane
