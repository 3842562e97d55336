#include "postprocess/session/cast_file_commands.h"

#include <filesystem>

#include "common/file_io.h"
#include "common/path_names.h"
#include "postprocess/pipeline/cast_pipeline.h"
#include "postprocess/profilefiles/point_file.h"
#include "postprocess/profilefiles/point_file_messages.h"
#include "postprocess/profilefiles/point_ranges.h"

namespace quorvane {

namespace {

const Message kDeleteQuestion{BoxType::YesNoQuestion,
                              {"确定删除选中文件吗？", "Delete the selected file?"}};

}  // namespace

void CastFileCommands::importFile(const Text& title, const char* filter, bool createFolder) {
    FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    const auto choice = s_.chooseFile(request, createFolder);
    if (!choice) {
        return;
    }
    const std::filesystem::path path = pathFromUtf8(choice->path);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        return;
    }
    std::string fileType = utf8OfPath(path.extension());
    if (!fileType.empty())
        fileType.erase(0, 1);
    addFileEntry(choice->path, fileType, utf8OfPath(path.filename()));
}

void CastFileCommands::importRawFile() {
    importFile({"打开原始数据文件", "Open Raw File"}, "OriginalData File(*.bin)|*.bin||", true);
}

void CastFileCommands::importProfileFile() {
    importFile({"打开声速剖面文件", "Open Sound Velocity Profile File"}, "SVP File(*.prf)|*.prf||",
               false);
}

void CastFileCommands::importAverageFile() {
    importFile({"打开平均声速文件", "Open Average Sound Velocity File"},
               "Average Sound Velocity File(*.asvf)|*.asvf||", true);
}

void CastFileCommands::addFileEntry(const std::string& path, const std::string& extension,
                                    const std::string& name) {
    s_.files.add(path, extension, name, s_.prompter, s_.english);
}

namespace {

// The file menu's save of a profile or an average: the core's own refusal of an empty table is
// shown before any dialog opens.
template <typename Point>
void savePoints(SessionState& s, const std::vector<Point>& points, PointFileKind kind,
                const Text& title, const char* filter,
                PointFileResult (*save)(const std::string&, const std::vector<Point>&)) {
    if (points.empty()) {
        s.show(pointFileMessage(kind, *save(std::string(), points).problem, std::string()));
        return;
    }
    const FileDialogRequest request{
        .save = true, .title = title, .filter = filter, .fileName = s.currentBaseName};
    if (const auto choice = s.chooseFile(request, true)) {
        if (const PointFileResult saved = save(choice->path, points); saved.problem) {
            s.show(pointFileMessage(kind, *saved.problem, choice->path));
        }
    }
}

}  // namespace

void CastFileCommands::saveProfileFile() {
    savePoints(s_, s_.data.fittedProfile, PointFileKind::Profile,
               {"保存声速剖面文件", "Save SVP File"}, "Sound Velocity Profile File(*.prf)|*.prf||",
               SaveProfileFile);
}

void CastFileCommands::saveAverageFile() {
    savePoints(s_, s_.data.averageProfile, PointFileKind::Average,
               {"保存平均声速文件", "Save Average File"},
               "Average Sound Velocity File(*.asvf)|*.asvf||", SaveAverageFile);
}

void CastFileCommands::openFileListRow(int row) {
    if (row < 0 || static_cast<size_t>(row) >= s_.files.entries().size()) {
        return;
    }
    if (s_.dataList.rowCount() > 0) {
        const Message question{BoxType::YesNoQuestion,
                               {"此操作将删除数据列表中的数据，请确认是否要进行此项操作？",
                                "The Operation will clear the date list.\nAre you sure to do "
                                "this?"}};
        if (s_.prompter.ask(question) != Button::Yes) {
            return;
        }
    }
    s_.data.clearProfiles();
    const FileEntry& entry = s_.files.entries()[static_cast<size_t>(row)];
    s_.chartTitle =
        entry.name + (s_.english ? " (Sound Velocity/Temperature Curve)" : "（声速/温度曲线）");
    const std::string path = s_.files.pathOfNumber(row + 1);
    s_.currentBaseName = baseNameOf(path);
    s_.shownPath = path;
    s_.shownDeviceId.reset();
    const auto mode = modeOfExtension(extensionOf(path));
    if (!mode) {
        return;
    }
    s_.displayMode = *mode;
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

void CastFileCommands::loadRaw(const std::string& path) {
    const CastLoad load = LoadAndReduce(s_.data, path);
    if (load.raw.headerApplied) {
        s_.shownDeviceId = load.raw.header.deviceId();
        s_.windowTitle = s_.pick(load.raw.title);
        ++s_.settingsGeneration;
    }
    s_.controls.settingsCheckEnabled = load.raw.scanned;
    if (load.raw.scanned) {
        s_.dataList.fill(s_.data.rawProfile);
    }
    for (const Message& message : castLoadMessages(load, path, s_.data)) s_.show(message);
    if (load.raw.scanned) {
        s_.recordShownCast({}, std::nullopt);
    }
}

namespace {

// A profile or an average file opened from the list: its problem in a box, else its points in
// the data list with the chart's ranges made for them.
template <typename Point>
void loadPoints(SessionState& s, const std::string& path, PointFileKind kind,
                std::vector<Point>& points,
                PointFileResult (*load)(const std::string&, std::vector<Point>&),
                void (*updateRanges)(CastData&)) {
    const PointFileResult loaded = load(path, points);
    if (!loaded.ok) {
        s.show(pointFileMessage(kind, *loaded.problem, path));
        return;
    }
    s.windowTitle = "QuorvaneFile";
    if (!points.empty()) {
        s.dataList.fill(points);
        updateRanges(s.data);
    }
}

}  // namespace

void CastFileCommands::loadProfile(const std::string& path) {
    loadPoints(s_, path, PointFileKind::Profile, s_.data.fittedProfile, LoadProfileFile,
               UpdateFittedRanges);
}

void CastFileCommands::loadAverage(const std::string& path) {
    loadPoints(s_, path, PointFileKind::Average, s_.data.averageProfile, LoadAverageFile,
               UpdateAverageRanges);
}

void CastFileCommands::setModeControls(DisplayMode mode) {
    const bool raw = mode == DisplayMode::Raw;
    const bool fitting = mode == DisplayMode::Fitting;
    const bool average = mode == DisplayMode::Average;
    s_.controls.settingsEnabled = false;
    if (!raw)
        s_.controls.settingsCheckEnabled = false;
    s_.controls.saveProfile = {!average, false};
    s_.controls.castSvp = s_.controls.castTemp = {raw, raw};
    s_.controls.fittedSvp = s_.controls.fittedTemp = {!average, fitting};
    s_.controls.average = {true, average};
    s_.flags = {raw, raw, fitting, fitting, average};
    s_.controls.exportRaw = raw;
    s_.controls.exportFitting = !average;
    s_.controls.exportAverage = true;
}

void CastFileCommands::deleteSelectedFile(int row) {
    if (row < 0 || static_cast<size_t>(row) >= s_.files.entries().size() ||
        s_.prompter.ask(kDeleteQuestion) != Button::Yes) {
        return;
    }
    const FileEntry removed = s_.files.remove(static_cast<size_t>(row));
    if (nameBeforeFirstDot(removed.name) == s_.currentBaseName) {
        clearDisplay();
    }
}

void CastFileCommands::deleteFileByKey(int row) {
    if (row < 0 || static_cast<size_t>(row) >= s_.files.entries().size() ||
        s_.prompter.ask(kDeleteQuestion) != Button::Yes) {
        return;
    }
    s_.files.remove(static_cast<size_t>(row));
}

void CastFileCommands::clearDisplay() {
    s_.currentBaseName.clear();
    s_.data.clearProfiles();
    s_.dataList.clear();
    s_.controls.settingsEnabled = false;
    s_.controls.settingsCheckEnabled = false;
    s_.controls.exportRaw = s_.controls.exportFitting = s_.controls.exportAverage = false;
}

}  // namespace quorvane
