#include "postprocess/session/export_flow.h"

#include <filesystem>

#include "common/file_io.h"
#include "common/path_names.h"
#include "common/strformat.h"
#include "postprocess/export/export_messages.h"
#include "postprocess/pipeline/cast_pipeline.h"

namespace quorvane {

void ExportFlow::exportData(ExportKind kind, const ControlValues& values) {
    if (exportPointCount(s_.data, kind) == 0) {
        s_.show(exportCheckMessage(kind, ExportCheck::EmptyList));
        return;
    }
    if (!s_.readControls(values)) {
        return;
    }
    if (!filterDepthUsable(s_.controls.filterEnabled, s_.data.filterDepth)) {
        s_.show(exportCheckMessage(kind, ExportCheck::FilterDepthUnusable));
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
    const FileDialogRequest request{
        .save = true,
        .title = exportDialogTitle(),
        .filter = exportFilterOf(kind, s_.english),
        .fileName = s_.pick(defaultExportName(kind, s_.currentBaseName)),
        .writtenFile = writtenFile};
    const auto choice = s_.chooseFile(request, true);
    if (!choice) {
        return;
    }
    const auto format = formatForFilterIndex(kind, choice->filterIndex);
    if (!format) {
        return;
    }
    const ExportFormatDescriptor& descriptor = descriptorOf(*format);
    ExportOptions options{*format, s_.english, s_.controls.filterEnabled, s_.data.filterDepth};
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
            options.append = s_.prompter.ask(question) == Button::Yes;
        }
    }
    std::optional<CastStamp> stamp;
    if (descriptor.needsCast()) {
        stamp = s_.host.askCastStamp(proposedCastStamp(s_.shownPath), descriptor.writesPosition);
        if (!stamp) {
            return;
        }
        options.cast.time = toUtc(stamp->localTime, stamp->utcOffset);
        options.cast.position = stamp->position;
    }
    options.cast.deviceId = s_.shownDeviceId;
    options.cast.name = s_.currentBaseName;
    options.cast.sourceFile = fileNameOf(s_.shownPath);
    const ExportResult result = ExportCast(s_.data, kind, choice->path, options);
    if (result.failure)
        s_.show(exportFailureMessage(*result.failure));
    else
        s_.recordShownCast({{std::string(descriptor.cliName), result.path}}, stamp);
    if (const auto warning = salinityWarning(result))
        s_.show(*warning);
}

}  // namespace quorvane
