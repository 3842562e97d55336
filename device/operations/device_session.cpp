#include "device/operations/device_session.h"

#include <system_error>

namespace quorvane {

DeviceSession::DeviceSession(SerialPort& port, Clock& clock, DeviceNotifier& notifier,
                             Prompter& prompter, FileListView& view)
    : channel_(port, clock, notifier, prompter), view_(view) {
    std::error_code error;
    workingFolder_ = std::filesystem::current_path(error);
}

DeviceSession::~DeviceSession() {
    shutdown();
}

void DeviceSession::setRows(std::vector<FileRow> rows) {
    rows_ = std::move(rows);
    view_.showFileRows(rows_);
}

void DeviceSession::startDownload(RowSource& rows) {
    waitForDownload();
    stop_ = false;
    workerReturned_ = false;
    DownloadJob job{channel_, rows, deviceDataFolder(workingFolder_, values_.deviceId), busy_,
                    stop_};
    worker_ = std::thread([this, job] {
        summary_ = DownloadWorker(job);
        workerReturned_ = true;
    });
}

std::optional<DownloadSummary> DeviceSession::waitForDownload() {
    if (!worker_.joinable()) {
        return std::nullopt;
    }
    worker_.join();
    return summary_;
}

void DeviceSession::shutdown() {
    requestStop();
    waitForDownload();
    channel_.port().close();
    channel_.setConnected(false);
}

}  // namespace quorvane
