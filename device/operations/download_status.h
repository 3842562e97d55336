#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "common/message.h"
#include "device/protocol/file_download.h"

namespace quorvane {

// What the download worker reports to the window, by code: status pane 1 shows the text that
// OnExportStatus builds for it.
enum class ExportStatus : int {
    ExportNoSelection = 5,   // value 0
    ExportIndexFailed = 15,  // value: the row
    ExportStep1Failed = 25,  // value: the row
    ExportStep2Failed = 35,  // value: the row
    ExportProgress = 45,     // value: progress x 100 (10000 is 100 %)
    ExportFileDone = 50,     // value 0
};

// The pane text for a code and its value. `name` is the Name column of the row (codes 15, 25,
// 35) or the file name the device reported (code 50). Nothing for a code not in the table.
std::optional<Text> OnExportStatus(int code, int64_t value, std::string_view name);

// Pane 1 text of a file whose transfer has ended: "%s receive OK!" for the device's file
// whole, otherwise what is wrong with it (zeros in it, given up, out of step, short, or a
// size that was none).
Text fileDownloadStatus(const FileDownload& file);

// The result line of a file: bytes received of those announced, blocks written as zeros,
// valid records, where it lies, and an announced size that differs from the file list's.
Text fileDownloadCompletion(const FileDownload& file);

// Progress x 100 of a file, truncated: 10000 once every byte is in.
int64_t exportProgressValue(uint32_t bytesReceived, uint32_t fileSize);

// Whether a pane text is a progress report, for a display that shows only the newest one.
bool isExportProgressText(const Text& text);

}  // namespace quorvane
