#pragma once

#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/message.h"
#include "device/link/clock.h"
#include "device/link/serial_port.h"
#include "device/operations/download_worker.h"
#include "device/operations/file_row.h"
#include "device/operations/row_source.h"
#include "device/protocol/command_channel.h"
#include "device/protocol/device_notifier.h"
#include "device/protocol/device_readings.h"
#include "device/protocol/device_values.h"

namespace quorvane {

// Where the file list is shown: the window's list control, the command line's table.
class FileListView {
  public:
    virtual ~FileListView() = default;
    virtual void showFileRows(const std::vector<FileRow>& rows) = 0;
};

// What the last connect read besides the stored values, for a read-out without a window.
struct DeviceReadout {
    std::optional<VoltageReading> voltage;
    std::optional<WorkState> workState;
};

// The device program's state between button presses: the one port with its text dialogue and
// connected flag, the values read from the device, the file list, the busy flag and the
// download worker. The window and the command line each own one.
class DeviceSession {
  public:
    DeviceSession(SerialPort& port, Clock& clock, DeviceNotifier& notifier, Prompter& prompter,
                  FileListView& view);
    // Ends a running download and closes the port after it.
    ~DeviceSession();
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    CommandChannel& channel() { return channel_; }
    DeviceNotifier& notifier() { return channel_.notifier(); }
    Prompter& prompter() { return channel_.prompter(); }
    bool connected() const { return channel_.connected(); }

    DeviceValues& values() { return values_; }
    DeviceReadout& readout() { return readout_; }

    const std::vector<FileRow>& rows() const { return rows_; }
    // Replaces the rows and shows them.
    void setRows(std::vector<FileRow> rows);

    // Set while the download worker owns the port; every other device command refuses then.
    std::atomic<bool>& busy() { return busy_; }

    // Data/ goes under this folder: the current directory when the session was made.
    const std::filesystem::path& workingFolder() const { return workingFolder_; }
    void setWorkingFolder(std::filesystem::path folder) { workingFolder_ = std::move(folder); }

    // Starts the download worker over the selection, which must outlive it; the busy flag
    // must be set already.
    void startDownload(RowSource& rows);
    bool downloadRunning() const { return worker_.joinable(); }
    // The worker has returned, so waiting for it cannot block. The busy flag is no such sign:
    // the worker clears it before a last box that it then waits on.
    bool downloadReturned() const { return workerReturned_; }
    // Waits for the worker and returns what it did (nothing when none ran).
    std::optional<DownloadSummary> waitForDownload();
    // Asks a running worker to end at its next block or file; the window closing does this.
    void requestStop() { stop_ = true; }
    // Stops and waits for the worker, then releases the port.
    void shutdown();

  private:
    CommandChannel channel_;
    DeviceValues values_;
    DeviceReadout readout_;
    std::vector<FileRow> rows_;
    FileListView& view_;
    std::atomic<bool> busy_ = false;
    std::atomic<bool> stop_ = false;
    std::atomic<bool> workerReturned_ = false;
    std::filesystem::path workingFolder_;
    std::thread worker_;
    DownloadSummary summary_;
};

}  // namespace quorvane
