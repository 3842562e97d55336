#include "device/protocol/testing/recording_notifier.h"

namespace quorvane {

void RecordingNotifier::record(const std::string& prefix, const Text& text) {
    events.push_back(prefix + text.en);
    texts.push_back(text);
}

void RecordingNotifier::setStatus(StatusPane pane, const Text& text) {
    record(pane == StatusPane::Values ? "pane0: " : "pane1: ", text);
}

void RecordingNotifier::setTitle(const Text& title) {
    record("title: ", title);
}

void RecordingNotifier::refreshFields(const DeviceValues& values) {
    lastFields = values;
    record("fields", {});
}

void RecordingNotifier::showMemory(const std::string& freeText, const std::string& usedText) {
    record("memory: ", {freeText + " | " + usedText, freeText + " | " + usedText});
}

void RecordingNotifier::resetDeviceFields() {
    record("reset", {});
}

void RecordingNotifier::downloadProgress(const FileDownload& file) {
    progress.push_back(file);
}

void RecordingNotifier::downloadFinished(const FileDownload& file) {
    downloads.push_back(file);
}

Button RecordingNotifier::ask(const Message& message) {
    record("box" + std::to_string(int(message.type)) + ": ", message.text);
    if (!answers.empty()) {
        const Button answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return goOnAnswer(message.type);
}

}  // namespace quorvane
