#include "cli/device_console.h"

#include "cli/terminal.h"
#include "common/strformat.h"
#include "common/utf8_text.h"
#include "device/operations/delete_files.h"
#include "device/operations/device_settings.h"
#include "device/operations/download_status.h"

namespace quorvane::cli {

namespace {

// "m:ss", or "h:mm:ss" from an hour on.
std::string duration(int64_t seconds) {
    if (seconds >= 3600) {
        return strformat("%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                         static_cast<long long>(seconds / 60 % 60),
                         static_cast<long long>(seconds % 60));
    }
    return strformat("%lld:%02lld", static_cast<long long>(seconds / 60),
                     static_cast<long long>(seconds % 60));
}

std::string progressLine(const FileDownload& file, bool english) {
    const double seconds = double(file.elapsedMs) / 1000.0;
    const double rate = seconds > 0 ? double(file.bytesWritten) / seconds : 0.0;
    const std::string left =
        rate > 0 ? duration(int64_t(double(file.announcedSize - file.bytesWritten) / rate)) : "-";
    const std::string name = printableText(file.name);
    if (english) {
        return strformat("%s  %u of %u bytes  %.1f KB/s  %s left  asked again %d  zero-filled %d",
                         name.c_str(), file.bytesWritten, file.announcedSize, rate / 1024.0,
                         left.c_str(), file.blocksAskedAgain, file.blocksZeroFilled);
    }
    return strformat("%s  %u/%u字节  %.1f KB/s  剩余%s  重发%d  补零%d", name.c_str(),
                     file.bytesWritten, file.announcedSize, rate / 1024.0, left.c_str(),
                     file.blocksAskedAgain, file.blocksZeroFilled);
}

}  // namespace

DeviceConsole::DeviceConsole(bool english, std::FILE* output, std::FILE* results)
    : english_(english), output_(output), results_(results), terminal_(isTerminal(output)) {}

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
    std::fprintf(output_, "%s\n", printableText(text).c_str());
    std::fflush(output_);
}

void DeviceConsole::setStatus(StatusPane, const Text& text) {
    const std::string& shown = text.pick(english_);
    if (shown.empty()) {
        return;
    }
    if (isExportProgressText(text)) {
        // On a terminal the file's own progress line says more.
        if (!terminal_) {
            pendingProgress_ = shown;
        }
        return;
    }
    line(shown);
}

void DeviceConsole::downloadProgress(const FileDownload& file) {
    if (!terminal_) {
        return;
    }
    pendingProgress_ = progressLine(file, english_);
    // Erase to the end of the line: the new text may be shorter than the last.
    std::fprintf(output_, "\r%s\x1b[K", pendingProgress_.c_str());
    std::fflush(output_);
}

void DeviceConsole::downloadFinished(const FileDownload& file) {
    flush();
    std::fprintf(results_, "%s\n", printableText(file.completion.pick(english_)).c_str());
    std::fflush(results_);
    // A damaged file is no cast to keep: its result line has said what it lacks. A cast kept
    // before keeps what its processing recorded.
    if (recorder_ != nullptr && !file.damaged() && !file.path.empty()) {
        std::vector<Message> ignored;
        if (const std::optional<ProcessedCast> cast = castOnDisk(file.path, ignored))
            recorder_->record(*cast, {}, false);
    }
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
