#include "postprocess/session/session_state.h"

#include <filesystem>

#include "common/file_io.h"
#include "common/parse_number.h"
#include "common/strformat.h"
#include "postprocess/reduction/reduction_messages.h"

namespace quorvane {

namespace {

// The platform's float format of the setting edits: six significant digits.
std::string floatText(float value) {
    return strformat("%.6g", double(value));
}

std::string dataFolder(const std::string& startDirectory, bool create) {
    const std::filesystem::path folder = pathFromUtf8(startDirectory) / "Data";
    if (create) {
        std::error_code ignored;
        std::filesystem::create_directory(folder, ignored);
    }
    return utf8OfPath(folder);
}

}  // namespace

SessionState::SessionState(bool english, Prompter& prompter, SessionHost& host,
                           std::string startDirectory)
    : english(english),
      prompter(prompter),
      host(host),
      startDirectory(std::move(startDirectory)),
      chartTitle(english ? "Sound Velocity/Temperature Curve" : "声速/温度曲线") {
    ResetAxes(data, axes);
}

void SessionState::show(const Message& message) {
    prompter.ask(message);
}

void SessionState::showFitStatus(FitStatus status) {
    if (const auto message = fitStatusMessage(status, data)) {
        show(*message);
    }
}

std::optional<FileChoice> SessionState::chooseFile(FileDialogRequest request, bool createFolder) {
    request.folder = dataFolder(startDirectory, createFolder);
    std::optional<FileChoice> choice = host.chooseFile(request);
    if (choice && choice->path.empty()) {
        return std::nullopt;
    }
    return choice;
}

ControlValues SessionState::controlValues() const {
    return {floatText(data.density),     floatText(data.latitude), floatText(data.depthInterval),
            floatText(data.filterDepth), controls.settingsEnabled, controls.filterEnabled};
}

bool SessionState::readControls(const ControlValues& values) {
    controls.settingsEnabled = values.settingsEnabled;
    controls.filterEnabled = values.filterEnabled;
    float* const targets[] = {&data.density, &data.latitude, &data.depthInterval,
                              &data.filterDepth};
    const std::string* const texts[] = {&values.density, &values.latitude, &values.depthInterval,
                                        &values.filterDepth};
    for (size_t i = 0; i < 4; ++i) {
        const auto value = parseFieldFloat(*texts[i]);
        if (!value) {
            show(kNotANumberMessage);
            return false;
        }
        *targets[i] = *value;
    }
    return true;
}

std::optional<ProcessedCast> SessionState::shownCast(const std::optional<CastStamp>& stamp) const {
    if (displayMode != DisplayMode::Raw || !shownDeviceId) {
        return std::nullopt;
    }
    const std::optional<double> filter =
        controls.filterEnabled ? std::optional<double>(data.filterDepth) : std::nullopt;
    ProcessedCast cast =
        processedCast(shownPath, *shownDeviceId, data, !data.averageProfile.empty(), filter);
    cast.localTime = stamp ? std::optional(stamp->localTime) : localCastTime(shownPath);
    if (stamp) {
        cast.utcTime = toUtc(stamp->localTime, stamp->utcOffset);
        cast.position = stamp->position;
        if (cast.position) {
            cast.positionSource = stamp->positionSource.empty() ? "typed" : stamp->positionSource;
        }
    }
    return cast;
}

void SessionState::recordShownCast(const std::vector<CastOutput>& outputs,
                                   const std::optional<CastStamp>& stamp) {
    if (recorder == nullptr) {
        return;
    }
    if (const std::optional<ProcessedCast> cast = shownCast(stamp)) {
        recorder->record(*cast, outputs, stamp.has_value());
    }
}

}  // namespace quorvane
