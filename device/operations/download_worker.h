#pragma once

#include <atomic>
#include <filesystem>

#include "device/operations/output_naming.h"
#include "device/operations/row_source.h"
#include "device/protocol/command_channel.h"

namespace quorvane {

// Everything the download worker touches. It runs on a thread of its own: it talks to the
// device through the channel (port, clock, notifier, prompter), reads rows from the source,
// and watches the stop flag between blocks, between handshake attempts and between files.
struct DownloadJob {
    CommandChannel& channel;
    RowSource& rows;
    std::filesystem::path folder;  // Data/<device ID>, fixed when the download starts
    std::atomic<bool>& busy;       // cleared by the worker on every way out
    const std::atomic<bool>& stop;
};

struct DownloadSummary {
    int result = 0;         // 1 after the loop over the selection, -1 when nothing was selected
    int saved = 0;          // files received whole and closed without error
    int failed = 0;         // selected files not saved whole (handshake, size, creation,
                            // writing, damage)
    int damaged = 0;        // of those, files made but not the device's file as it is
    int empty = 0;          // files the device announced with size 0: nothing made
    bool linkLost = false;  // a command could not be written or the line broke
    bool stopped = false;   // the stop flag ended it
};

// Downloads the selected rows one after another into `folder`, reporting through the
// channel's notifier (status pane 1, OnExportStatus texts, each file's FileDownload) and
// prompter. A file whose blocks stop coming, or whose records stop continuing, ends there as
// damaged instead of running on; every file ends with what it holds.
DownloadSummary DownloadWorker(const DownloadJob& job);

}  // namespace quorvane
