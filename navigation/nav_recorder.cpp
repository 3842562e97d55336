#include "navigation/nav_recorder.h"

#include <filesystem>

#include "navigation/nav_log.h"

namespace quorvane {

NavRecorder::NavRecorder(std::string utf8Path, std::function<int64_t()> pcClockMs)
    : path_(std::move(utf8Path)), pcClockMs_(std::move(pcClockMs)) {}

std::string NavRecorder::defaultPath(const std::string& workingFolderUtf8) {
    return utf8OfPath(pathFromUtf8(workingFolderUtf8) / "Data" / "navigation.log");
}

std::string NavRecorder::dayFile(int64_t utcMs) const {
    const std::filesystem::path path = pathFromUtf8(path_);
    const std::string day = utcText(utcMs).substr(0, 10);
    return utf8OfPath(path.parent_path() / pathFromUtf8(utf8OfPath(path.stem()) + "-" + day +
                                                        utf8OfPath(path.extension())));
}

NavRecorder::Outcome NavRecorder::line(std::string_view text) {
    Outcome outcome;
    const std::optional<int64_t> datedBefore = reader_.lastDatedUtcMs();
    const int64_t now = pcClockMs_();
    std::optional<NavFix> fix = reader_.read(text, outcome.problem);
    if (reader_.lastDatedUtcMs() && reader_.lastDatedUtcMs() != datedBefore) {
        outcome.clockAheadS = double(now - *reader_.lastDatedUtcMs()) / 1000.0;
    }
    if (!fix) {
        return outcome;
    }
    // The log is searched by time: a fix that does not come after the last one is refused.
    if (fix->utcMs <= lastUtcMs_) {
        outcome.problem = "time goes back";
        return outcome;
    }
    const std::string file = dayFile(fix->utcMs);
    if (file != currentFile_) {
        std::error_code error;
        // The first fix of a recording may come before anything else made the folder.
        std::filesystem::create_directories(pathFromUtf8(file).parent_path(), error);
        const bool fresh = std::filesystem::file_size(pathFromUtf8(file), error) == 0 || error;
        file_ = openFile(file, "ab");
        currentFile_ = file;
        if (file_ && fresh) {
            std::fputs((std::string(kNavLogHeader) + "\n").c_str(), file_.get());
        }
    }
    const std::string logged = navLogLine(*fix, now);
    if (!file_ || std::fwrite(logged.data(), 1, logged.size(), file_.get()) != logged.size() ||
        std::fflush(file_.get()) != 0) {
        outcome.problem = currentFile_ + ": cannot be written";
        currentFile_.clear();  // tried again with the next fix
        return outcome;
    }
    lastUtcMs_ = fix->utcMs;
    ++written_;
    outcome.fix = std::move(fix);
    return outcome;
}

}  // namespace quorvane
