#pragma once

#include <string>

#include "common/message.h"
#include "device/protocol/device_values.h"
#include "device/protocol/file_download.h"

namespace quorvane {

// Pane 0 carries device values (voltage, work state); pane 1 connection and progress messages.
enum class StatusPane : int { Values = 0, Messages = 1 };

// Where the device side shows what is not a message box: the window implements it on its
// widgets, the command line prints, tests record. Calls may come from the download worker's
// thread; an implementation that touches widgets must hand them to its own thread.
class DeviceNotifier {
  public:
    virtual ~DeviceNotifier() = default;

    virtual void setStatus(StatusPane pane, const Text& text) = 0;
    virtual void setTitle(const Text& title) = 0;
    // Shows density, latitude and depth interval as the values now hold them.
    virtual void refreshFields(const DeviceValues& values) = 0;
    // The free and used memory texts.
    virtual void showMemory(const std::string& freeText, const std::string& usedText) = 0;
    // Empties the value fields and the file list; the values themselves are kept.
    virtual void resetDeviceFields() = 0;
    // The file being downloaded, after each block; its texts are not filled yet.
    virtual void downloadProgress(const FileDownload& file) = 0;
    // A file's transfer has ended, well or not, after its pane text (and box) were shown.
    virtual void downloadFinished(const FileDownload& file) = 0;
};

}  // namespace quorvane
