#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/console_prompter.h"
#include "device/operations/device_session.h"
#include "postprocess/pipeline/cast_record.h"

namespace quorvane::cli {

// The device window's status panes and title on stderr, with every control character of the
// device's texts replaced. A file being downloaded shows as one line rewritten in place on a
// terminal (name, bytes, rate, time left, blocks asked again and zero-filled); otherwise only
// the last progress text of a run is printed. Each file's result line goes to `results`.
class DeviceConsole : public DeviceNotifier, public FileListView {
  public:
    DeviceConsole(bool english, std::FILE* output = stderr, std::FILE* results = stdout);
    ~DeviceConsole() override;

    void setStatus(StatusPane pane, const Text& text) override;
    void setTitle(const Text& title) override;
    void refreshFields(const DeviceValues&) override {}
    void showMemory(const std::string&, const std::string&) override {}
    void resetDeviceFields() override {}
    void downloadProgress(const FileDownload& file) override;
    void downloadFinished(const FileDownload& file) override;
    void showFileRows(const std::vector<FileRow>&) override {}

    // Ends a pending progress line.
    void flush();
    // Keeps every whole file downloaded in the cast library.
    void keepDownloads(CastRecorder* recorder) { recorder_ = recorder; }

  private:
    void line(const std::string& text);

    bool english_;
    std::FILE* output_;
    std::FILE* results_;
    bool terminal_;
    std::string pendingProgress_;
    CastRecorder* recorder_ = nullptr;
};

// The device program's boxes on the command line. Only the destructive confirmations (delete,
// clear) are asked (by --yes, or on a terminal); the clock question is answered by --set-clock;
// every other box is shown and taken as read.
class DevicePrompter : public Prompter {
  public:
    DevicePrompter(ConsolePrompter& console, DeviceConsole& panes, bool setClock);
    Button ask(const Message& message) override;

  private:
    ConsolePrompter& console_;
    DeviceConsole& panes_;
    bool setClock_;
};

}  // namespace quorvane::cli
