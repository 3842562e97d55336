#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/console_prompter.h"
#include "device/operations/device_session.h"

namespace quorvane::cli {

// The device window's status panes and title on stderr. A run of progress texts shows as one
// line: rewritten in place on a terminal, only its last text otherwise.
class DeviceConsole : public DeviceNotifier, public FileListView {
  public:
    DeviceConsole(bool english, std::FILE* output = stderr);
    ~DeviceConsole() override;

    void setStatus(StatusPane pane, const Text& text) override;
    void setTitle(const Text& title) override;
    void refreshFields(const DeviceValues&) override {}
    void showMemory(const std::string&, const std::string&) override {}
    void resetDeviceFields() override {}
    void showFileRows(const std::vector<FileRow>&) override {}

    // Ends a pending progress line.
    void flush();

  private:
    void line(const std::string& text);

    bool english_;
    std::FILE* output_;
    bool terminal_;
    std::string pendingProgress_;
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
