#include "cli/device_console.h"

#include "cli/terminal.h"
#include "device/operations/delete_files.h"
#include "device/operations/device_settings.h"
#include "device/operations/export_status.h"

namespace quorvane::cli {

DeviceConsole::DeviceConsole(bool english, std::FILE* output)
    : english_(english), output_(output), terminal_(isTerminal(output)) {}

DeviceConsole::~DeviceConsole() {
    flush();
}

void DeviceConsole::flush() {
    if (pendingProgress_.empty()) {
        return;
    }
    if (!terminal_) {
        std::fprintf(output_, "%s", pendingProgress_.c_str());
    }
    std::fprintf(output_, "\n");
    std::fflush(output_);
    pendingProgress_.clear();
}

void DeviceConsole::line(const std::string& text) {
    flush();
    std::fprintf(output_, "%s\n", text.c_str());
    std::fflush(output_);
}

void DeviceConsole::setStatus(StatusPane, const Text& text) {
    const std::string& shown = text.pick(english_);
    if (shown.empty()) {
        return;
    }
    if (isExportProgressText(text)) {
        pendingProgress_ = shown;
        if (terminal_) {
            std::fprintf(output_, "\r%s", shown.c_str());
            std::fflush(output_);
        }
        return;
    }
    line(shown);
}

void DeviceConsole::setTitle(const Text& title) {
    line(title.pick(english_));
}

DevicePrompter::DevicePrompter(ConsolePrompter& console, DeviceConsole& panes, bool setClock)
    : console_(console), panes_(panes), setClock_(setClock) {}

Button DevicePrompter::ask(const Message& message) {
    panes_.flush();
    if (message == kDeleteFilesQuestion || message == kClearAllQuestion) {
        return console_.ask(message);
    }
    console_.say(message.text);
    if (message == kSetClockQuestion) {
        return setClock_ ? Button::Yes : Button::No;
    }
    return Button::Ok;
}

}  // namespace quorvane::cli
