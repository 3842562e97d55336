#pragma once

#include "device/operations/device_session.h"

namespace quorvane {

// The window's part for runs nobody watches (benchmarks, the fault soak): nothing shown, every
// box answered as a user who goes on would. A run that keeps results overrides what it needs.
class UnattendedWindow : public DeviceNotifier, public Prompter, public FileListView {
  public:
    void setStatus(StatusPane, const Text&) override {}
    void setTitle(const Text&) override {}
    void refreshFields(const DeviceValues&) override {}
    void showMemory(const std::string&, const std::string&) override {}
    void resetDeviceFields() override {}
    void downloadProgress(const FileDownload&) override {}
    void downloadFinished(const FileDownload&) override {}
    Button ask(const Message& m) override { return goOnAnswer(m.type); }
    void showFileRows(const std::vector<FileRow>&) override {}
};

}  // namespace quorvane
