#include "postprocess/session/post_process_session.h"

#include <filesystem>

#include "common/file_io.h"
#include "common/parse_number.h"
#include "common/path_names.h"
#include "common/strformat.h"
#include "postprocess/export/export_writer.h"
#include "postprocess/profilefiles/point_file.h"

namespace quorvane {

namespace {

const Message kDepthIntervalTooSmall{
    BoxType::WarningOkCancel, {"水深间隔不能小于0.1", "Depth interval can not be less than 0.1m!"}};

const Message kBitmapNotSaved{
    BoxType::Warning,
    {"无法保存图表文件，请检查文件夹和文件名。",
     "The graphics file could not be saved. Please check the folder and the file name."}};

// The platform's float format of the setting edits: six significant digits.
std::string floatText(float value) {
    return strformat("%.6g", double(value));
}

}  // namespace

PostProcessSession::PostProcessSession(bool english, Prompter& prompter, SessionHost& host,
                                       std::string startDirectory)
    : english_(english),
      prompter_(prompter),
      host_(host),
      startDirectory_(std::move(startDirectory)),
      chartTitle_(english ? "Sound Velocity/Temperature Curve" : "声速/温度曲线") {
    ResetAxes(data_, axes_);
}

void PostProcessSession::show(const Message& message) {
    prompter_.ask(message);
}

void PostProcessSession::showFitStatus(FitStatus status) {
    if (const auto message = fitStatusMessage(status, data_)) {
        show(*message);
    }
}

std::string PostProcessSession::dataFolder(bool create) const {
    const std::filesystem::path folder = pathFromUtf8(startDirectory_) / "Data";
    if (create) {
        std::error_code ignored;
        std::filesystem::create_directory(folder, ignored);
    }
    return utf8OfPath(folder);
}

std::optional<FileChoice> PostProcessSession::chooseFile(FileDialogRequest request,
                                                         bool createFolder) {
    request.folder = dataFolder(createFolder);
    std::optional<FileChoice> choice = host_.chooseFile(request);
    if (choice && choice->path.empty()) {
        return std::nullopt;
    }
    return choice;
}

void PostProcessSession::importFile(const Text& title, const char* filter, bool createFolder) {
    FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    const auto choice = chooseFile(request, createFolder);
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

void PostProcessSession::importRawFile() {
    importFile({"打开原始数据文件", "Open Raw File"}, "OriginalData File(*.bin)|*.bin||", true);
}

void PostProcessSession::importProfileFile() {
    importFile({"打开声速剖面文件", "Open Sound Velocity Profile File"}, "SVP File(*.prf)|*.prf||",
               false);
}

void PostProcessSession::importAverageFile() {
    importFile({"打开平均声速文件", "Open Average Sound Velocity File"},
               "Average Sound Velocity File(*.asvf)|*.asvf||", true);
}

void PostProcessSession::addFileEntry(const std::string& path, const std::string& extension,
                                      const std::string& name) {
    files_.add(path, extension, name, prompter_, english_);
}

void PostProcessSession::saveProfileFile() {
    if (data_.fittedProfile.empty()) {
        // The core's own refusal of an empty profile, asked before any dialog opens.
        show(*SaveProfileFile(std::string(), data_.fittedProfile).message);
        return;
    }
    const FileDialogRequest request{.save = true,
                                    .title = {"保存声速剖面文件", "Save SVP File"},
                                    .filter = "Sound Velocity Profile File(*.prf)|*.prf||",
                                    .fileName = currentBaseName_};
    if (const auto choice = chooseFile(request, true)) {
        const PointFileResult saved = SaveProfileFile(choice->path, data_.fittedProfile);
        if (saved.message)
            show(*saved.message);
    }
}

void PostProcessSession::saveAverageFile() {
    if (data_.averageProfile.empty()) {
        show(*SaveAverageFile(std::string(), data_.averageProfile).message);
        return;
    }
    const FileDialogRequest request{.save = true,
                                    .title = {"保存平均声速文件", "Save Average File"},
                                    .filter = "Average Sound Velocity File(*.asvf)|*.asvf||",
                                    .fileName = currentBaseName_};
    if (const auto choice = chooseFile(request, true)) {
        const PointFileResult saved = SaveAverageFile(choice->path, data_.averageProfile);
        if (saved.message)
            show(*saved.message);
    }
}

void PostProcessSession::saveGraphics() {
    const FileDialogRequest request{.save = true,
                                    .title = {"保存图表", "Save Graphics"},
                                    .filter = "WINDOWS bitmap File(*.bmp)|*.bmp||",
                                    .fileName = currentBaseName_};
    if (const auto choice = chooseFile(request, true)) {
        pendingBitmapPath_ = choice->path;
    }
}

void PostProcessSession::writePendingBitmap(const Pixels& pixels, int bitCount) {
    // A chart without pixels (a window shrunk to nothing) keeps the save for a real paint.
    if (!pendingBitmapPath_ || pixels.width <= 0 || pixels.height <= 0) {
        return;
    }
    const std::string path = std::move(*pendingBitmapPath_);
    pendingBitmapPath_.reset();
    if (!SaveBitmapFile(pixels, bitCount, path)) {
        show(kBitmapNotSaved);
    }
}

ChartPicture PostProcessSession::layoutChart(int width, int height, Rgb buttonFace,
                                             const TextMeasurer& measure) {
    const ChartInput input{data_,    displayMode_, flags_, chartTitle_,
                           english_, width,        height, buttonFace};
    return layoutChartPicture(input, axes_, measure);
}

void PostProcessSession::close() {
    data_.rawRecords.clear();
    data_.rawRecords.shrink_to_fit();
}

ControlValues PostProcessSession::controlValues() const {
    return {floatText(data_.density),     floatText(data_.latitude), floatText(data_.depthInterval),
            floatText(data_.filterDepth), controls_.settingsEnabled, controls_.filterEnabled};
}

bool PostProcessSession::readControls(const ControlValues& values) {
    controls_.settingsEnabled = values.settingsEnabled;
    controls_.filterEnabled = values.filterEnabled;
    float* const targets[] = {&data_.density, &data_.latitude, &data_.depthInterval,
                              &data_.filterDepth};
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

void PostProcessSession::enableSettings(const ControlValues& values) {
    readControls(values);
}

void PostProcessSession::filterCheck(const ControlValues& values) {
    readControls(values);
}

void PostProcessSession::resetSettings(const ControlValues& values) {
    const Message question{
        BoxType::YesNoQuestion,
        {"点击设置将使数据列表中已修改的数据无效，请确认是否确定要进行修改设置？",
         "Reset the Settings will make the data int the Dala List invalid.\nAre you sure to do "
         "this?"}};
    if (prompter_.ask(question) != Button::Yes || !readControls(values)) {
        return;
    }
    if (double(data_.depthInterval) < 0.1) {
        show(kDepthIntervalTooSmall);
        return;
    }
    const FitStatus status = ReduceSamples(data_);
    dataList_.fill(data_.rawProfile);
    showFitStatus(status);
}

void PostProcessSession::exportData(ExportKind kind, const ControlValues& values) {
    const size_t count = kind == ExportKind::Raw       ? data_.rawProfile.size()
                         : kind == ExportKind::Fitting ? data_.fittedProfile.size()
                                                       : data_.averageProfile.size();
    if (count == 0) {
        show(emptyListMessage(kind));
        return;
    }
    if (!readControls(values)) {
        return;
    }
    if (const auto refused = checkFilterDepth(controls_.filterEnabled, data_.filterDepth)) {
        show(*refused);
        return;
    }
    // A format that adds casts to an existing file asks about that file itself, below.
    const auto writtenFile = [kind](const std::string& path,
                                    int filterIndex) -> std::optional<std::string> {
        const auto format = formatForFilterIndex(kind, filterIndex);
        if (!format || !descriptorOf(*format).appendsAfter.empty()) {
            return std::nullopt;
        }
        return withExportExtension(path, *format);
    };
    const FileDialogRequest request{.save = true,
                                    .title = exportDialogTitle(),
                                    .filter = exportFilterOf(kind, english_),
                                    .fileName = pick(defaultExportName(kind, currentBaseName_)),
                                    .writtenFile = writtenFile};
    const auto choice = chooseFile(request, true);
    if (!choice) {
        return;
    }
    const auto format = formatForFilterIndex(kind, choice->filterIndex);
    if (!format) {
        return;
    }
    const ExportFormatDescriptor& descriptor = descriptorOf(*format);
    ExportOptions options{*format, english_, controls_.filterEnabled, data_.filterDepth};
    options.samples = kind == ExportKind::Raw;
    if (!descriptor.appendsAfter.empty()) {
        std::error_code error;
        const std::string target = withExportExtension(choice->path, *format);
        if (std::filesystem::exists(pathFromUtf8(target), error)) {
            const std::string name = fileNameOf(target);
            const Message question{
                BoxType::YesNoQuestion,
                {strformat("是否将此次投放作为新的一节追加到%s中？选“否”将替换该文件。",
                           name.c_str()),
                 strformat("Add this cast to %s as a new section?\nNo replaces the file.",
                           name.c_str())}};
            options.append = prompter_.ask(question) == Button::Yes;
        }
    }
    if (descriptor.needsCast()) {
        const auto stamp =
            host_.askCastStamp(proposedCastStamp(shownPath_), descriptor.writesPosition);
        if (!stamp) {
            return;
        }
        options.cast.time = toUtc(stamp->localTime, stamp->utcOffset);
        options.cast.position = stamp->position;
    }
    options.cast.deviceId = shownDeviceId_;
    options.cast.name = currentBaseName_;
    options.cast.sourceFile = fileNameOf(shownPath_);
    const ExportResult result =
        kind == ExportKind::Average
            ? exportAverage(data_.averageProfile, data_.averageStartDepth, choice->path, options)
            : exportProfile(kind == ExportKind::Raw ? data_.rawProfile : data_.fittedProfile,
                            choice->path, options);
    if (result.failure)
        show(*result.failure);
}

}  // namespace quorvane
