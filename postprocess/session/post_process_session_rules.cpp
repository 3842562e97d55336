// The rules of the shown file: what a double-click loads, how the mode sets menus, flags and
// buttons, the curve commands, cell edits and the two ways of deleting an entry.
#include <cstdlib>

#include "common/path_names.h"
#include "postprocess/profilefiles/point_file.h"
#include "postprocess/profilefiles/point_ranges.h"
#include "postprocess/rawcast/raw_file.h"
#include "postprocess/reduction/average_velocity.h"
#include "postprocess/session/post_process_session.h"

namespace quorvane {

namespace {

const Message kDeleteQuestion{BoxType::YesNoQuestion,
                              {"确定删除选中文件吗？", "Delete the selected file?"}};

}  // namespace

void PostProcessSession::openFileListRow(int row) {
    if (row < 0 || static_cast<size_t>(row) >= files_.entries().size()) {
        return;
    }
    if (dataList_.rowCount() > 0) {
        const Message question{BoxType::YesNoQuestion,
                               {"此操作将删除数据列表中的数据，请确认是否要进行此项操作？",
                                "The Operation will clear the date list.\nAre you sure to do "
                                "this?"}};
        if (prompter_.ask(question) != Button::Yes) {
            return;
        }
    }
    selectedRow_ = row;
    data_.clearProfiles();
    const FileEntry& entry = files_.entries()[static_cast<size_t>(row)];
    chartTitle_ =
        entry.name + (english_ ? " (Sound Velocity/Temperature Curve)" : "（声速/温度曲线）");
    const std::string path = files_.pathOfNumber(row + 1);
    currentBaseName_ = baseNameOf(path);
    shownPath_ = path;
    shownDeviceId_.reset();
    const auto mode = modeOfExtension(extensionOf(path));
    if (!mode) {
        return;
    }
    displayMode_ = *mode;
    switch (*mode) {
        case DisplayMode::Raw:
            loadRaw(path);
            break;
        case DisplayMode::Fitting:
            loadProfile(path);
            break;
        case DisplayMode::Average:
            loadAverage(path);
            break;
    }
    setModeControls(*mode);
}

void PostProcessSession::loadRaw(const std::string& path) {
    const RawLoadResult load = LoadRawFile(data_, path);
    if (load.headerApplied) {
        shownDeviceId_ = load.header.deviceId();
        windowTitle_ = pick(load.title);
        ++settingsGeneration_;
    }
    for (const Message& message : load.messages) show(message);
    controls_.settingsCheckEnabled = load.scanned;
    if (!load.scanned) {
        // Reset would otherwise reduce the previous cast's records under this file's name.
        data_.rawRecords.clear();
        return;
    }
    const FitStatus status = ReduceSamples(data_);
    dataList_.fill(data_.rawProfile);
    showFitStatus(status);
}

void PostProcessSession::loadProfile(const std::string& path) {
    const PointFileResult load = LoadProfileFile(path, data_.fittedProfile);
    if (!load.ok) {
        if (load.message)
            show(*load.message);
        return;
    }
    windowTitle_ = "QuorvaneFile";
    if (!data_.fittedProfile.empty()) {
        dataList_.fill(data_.fittedProfile);
        UpdateFittedRanges(data_);
    }
}

void PostProcessSession::loadAverage(const std::string& path) {
    const PointFileResult load = LoadAverageFile(path, data_.averageProfile);
    if (!load.ok) {
        if (load.message)
            show(*load.message);
        return;
    }
    windowTitle_ = "QuorvaneFile";
    if (!data_.averageProfile.empty()) {
        dataList_.fill(data_.averageProfile);
        UpdateAverageRanges(data_);
    }
}

void PostProcessSession::setModeControls(DisplayMode mode) {
    const bool raw = mode == DisplayMode::Raw;
    const bool fitting = mode == DisplayMode::Fitting;
    const bool average = mode == DisplayMode::Average;
    controls_.settingsEnabled = false;
    if (!raw)
        controls_.settingsCheckEnabled = false;
    controls_.saveProfile = {!average, false};
    controls_.castSvp = controls_.castTemp = {raw, raw};
    controls_.fittedSvp = controls_.fittedTemp = {!average, fitting};
    controls_.average = {true, average};
    flags_ = {raw, raw, fitting, fitting, average};
    controls_.exportRaw = raw;
    controls_.exportFitting = !average;
    controls_.exportAverage = true;
}

void PostProcessSession::toggleCurve(Curve curve) {
    const DisplayMode mode = displayMode_;
    const auto rawRanges = [&] {
        if (mode == DisplayMode::Raw)
            UpdateRawRanges(data_);
    };
    switch (curve) {
        case Curve::CastSvp:
            flags_.castSvp = !flags_.castSvp;
            rawRanges();
            break;
        case Curve::CastTemp:
            flags_.castTemp = !flags_.castTemp;
            rawRanges();
            break;
        case Curve::FittedSvp:
            flags_.fittedSvp = !flags_.fittedSvp;
            if (mode == DisplayMode::Raw)
                UpdateRawRanges(data_);
            if (mode == DisplayMode::Fitting)
                UpdateFittedRanges(data_);
            if (mode == DisplayMode::Average)
                UpdateAverageRanges(data_);
            break;
        case Curve::FittedTemp:
            flags_.fittedTemp = !flags_.fittedTemp;
            if (mode == DisplayMode::Raw)
                UpdateRawRanges(data_);
            if (mode == DisplayMode::Fitting)
                UpdateFittedRanges(data_);
            break;
        case Curve::Average:
            flags_.average = !flags_.average;
            if (mode == DisplayMode::Average) {
                UpdateAverageRanges(data_);
            } else if (flags_.average && !computeAverage()) {
                flags_.average = false;
                controls_.average.checked = false;
            }
            break;
    }
}

bool PostProcessSession::computeAverage() {
    if (data_.fittedProfile.empty()) {
        return false;
    }
    data_.averageStartDepth = defaultAverageStartDepth(data_.depthMin);
    const auto start = host_.askStartDepth(data_.averageStartDepth);
    if (!start) {
        return false;
    }
    const AverageResult result = ComputeAverageVelocity(data_, *start);
    if (result.status == AverageStatus::Computed) {
        host_.repaintNow();
    }
    if (result.message)
        show(*result.message);
    return result.succeeded();
}

void PostProcessSession::commitCell(size_t row, int column, const std::string& editorText) {
    if (row >= dataList_.rowCount() || column < 0 || column > 2) {
        return;
    }
    const auto cellText = cellTextOf(editorText);
    if (!cellText) {
        show(kCellValueRefused);
        return;
    }
    dataList_.setText(row, column, *cellText);
    storeCellValue(row, column, std::atof(cellText->c_str()));
}

void PostProcessSession::storeCellValue(size_t row, int column, double value) {
    // The list may still show rows of a profile a later load emptied: such rows have no point.
    switch (displayMode_) {
        case DisplayMode::Raw: {
            if (row >= data_.rawProfile.size())
                return;
            ProfilePoint& p = data_.rawProfile[row];
            (column == 0 ? p.depth : column == 1 ? p.soundVelocity : p.temperature) = value;
            UpdateRawRanges(data_);
            showFitStatus(SplitCasts(data_));
            break;
        }
        case DisplayMode::Fitting: {
            if (row >= data_.fittedProfile.size())
                return;
            ProfilePoint& p = data_.fittedProfile[row];
            (column == 0 ? p.depth : column == 1 ? p.soundVelocity : p.temperature) = value;
            UpdateFittedRanges(data_);
            break;
        }
        case DisplayMode::Average: {
            if (row >= data_.averageProfile.size())
                return;
            AveragePoint& p = data_.averageProfile[row];
            if (column == 2) {
                dataList_.setText(row, column, "");
                return;
            }
            (column == 0 ? p.depth : p.averageVelocity) = value;
            UpdateAverageRanges(data_);
            break;
        }
    }
}

void PostProcessSession::deleteSelectedFile(int row) {
    if (row < 0 || static_cast<size_t>(row) >= files_.entries().size() ||
        prompter_.ask(kDeleteQuestion) != Button::Yes) {
        return;
    }
    const FileEntry removed = files_.remove(static_cast<size_t>(row));
    if (nameBeforeFirstDot(removed.name) == currentBaseName_) {
        clearDisplay();
    }
}

void PostProcessSession::deleteFileByKey(int row) {
    if (row < 0 || static_cast<size_t>(row) >= files_.entries().size() ||
        prompter_.ask(kDeleteQuestion) != Button::Yes) {
        return;
    }
    files_.remove(static_cast<size_t>(row));
}

void PostProcessSession::clearDisplay() {
    currentBaseName_.clear();
    data_.clearProfiles();
    dataList_.clear();
    controls_.settingsEnabled = false;
    controls_.settingsCheckEnabled = false;
    controls_.exportRaw = controls_.exportFitting = controls_.exportAverage = false;
}

}  // namespace quorvane
