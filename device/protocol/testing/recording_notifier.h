#pragma once

#include <deque>
#include <string>
#include <vector>

#include "common/message.h"
#include "device/protocol/device_notifier.h"

namespace quorvane {

// Records everything the device side shows, boxes included, in one ordered list of English
// texts ("pane0: ...", "pane1: ...", "title: ...", "box49: ...", "fields", "memory: F | U",
// "reset"), so tests can check texts and their order in one comparison. Box answers are
// scripted; without a script a box is answered OK (Yes for a question).
class RecordingNotifier : public DeviceNotifier, public Prompter {
  public:
    void setStatus(StatusPane pane, const Text& text) override;
    void setTitle(const Text& title) override;
    void refreshFields(const DeviceValues& values) override;
    void showMemory(const std::string& freeText, const std::string& usedText) override;
    void resetDeviceFields() override;
    void downloadProgress(const FileDownload& file) override;
    void downloadFinished(const FileDownload& file) override;
    Button ask(const Message& message) override;

    std::vector<std::string> events;
    // Every text in full, both languages, in the same order as events.
    std::vector<Text> texts;
    std::deque<Button> answers;
    DeviceValues lastFields;
    // Kept apart from the events, which stay the texts a user reads.
    std::vector<FileDownload> progress;
    std::vector<FileDownload> downloads;

  private:
    void record(const std::string& prefix, const Text& text);
};

}  // namespace quorvane
