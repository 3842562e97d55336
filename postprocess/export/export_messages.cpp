#include "postprocess/export/export_messages.h"

#include "common/strformat.h"
#include "postprocess/rawcast/raw_cast_messages.h"

namespace quorvane {

namespace {

Message warning(std::string zh, std::string en) {
    return Message{BoxType::WarningOkCancel, Text{std::move(zh), std::move(en)}};
}

Message emptyListMessage(ExportKind kind) {
    switch (kind) {
        case ExportKind::Raw:
            return warning("当前无原始数据！", "No raw data！");
        case ExportKind::Fitting:
            return warning("当前无拟合数据！", "No Fitting data！");
        case ExportKind::Average:
            break;
    }
    return warning("当前无平均声速数据，请点击“数据分析”菜单下“平均声速”菜单项设置平均声速！",
                   "No Average data in the file. Please set Average Sound Velocity First!");
}

Message missingCastMessage(const char* zh, const char* en, const std::string& name) {
    return warning(strformat(zh, name.c_str()), strformat(en, name.c_str()));
}

}  // namespace

Message exportCheckMessage(ExportKind kind, ExportCheck check) {
    return check == ExportCheck::EmptyList ? emptyListMessage(kind) : depthIntervalMessage();
}

std::optional<Message> salinityWarning(const ExportResult& result) {
    if (!result.ok || result.salinityUnfitted == 0) {
        return std::nullopt;
    }
    const size_t rows = result.salinityUnfitted;
    const char* const path = result.path.c_str();
    return warning(
        strformat("%s：%zu个点的声速与温度不符合任何海水盐度（0–50），其盐度写为0。", path, rows),
        strformat("%s: %zu points have a sound speed no sea water (salinity 0-50) has at their "
                  "temperature; their salinity is written as 0.",
                  path, rows));
}

Message exportFailureMessage(const ExportFailure& failure) {
    const char* const path = failure.path.c_str();
    const char* const name = failure.formatName.c_str();
    const size_t row = failure.row;
    switch (failure.problem) {
        case ExportProblem::ValueNotNumber:
            return warning(
                strformat("第%zu行的数值无效，文件未写入！", row),
                strformat("Row %zu holds a value that is not a number; no file was written!", row));
        case ExportProblem::DepthGoesUp: {
            const std::string depth = fixedDecimals(failure.depth, 3);
            const std::string above = fixedDecimals(failure.depthAbove, 3);
            return warning(strformat("第%zu行的深度%s米小于上一行的%s米，文件未写入！", row,
                                     depth.c_str(), above.c_str()),
                           strformat("The depth of row %zu (%s m) lies above the row before it "
                                     "(%s m); no file was written!",
                                     row, depth.c_str(), above.c_str()));
        }
        case ExportProblem::NeedsTime:
            return missingCastMessage("%s格式需要投放时间，文件未写入！",
                                      "The %s format needs the cast's time; no file was written!",
                                      failure.formatName);
        case ExportProblem::NeedsPosition:
            return missingCastMessage(
                "%s格式需要投放位置，文件未写入！",
                "The %s format needs the cast's position; no file was written!",
                failure.formatName);
        case ExportProblem::NeedsTimeAndPosition:
            return missingCastMessage("%s格式需要投放时间和位置，文件未写入！",
                                      "The %s format needs the cast's time and position; no "
                                      "file was written!",
                                      failure.formatName);
        case ExportProblem::NotAppendable:
            return warning(
                strformat("%s不是%s格式的文件，未能追加！", path, name),
                strformat("%s is not a %s file; the cast was not added to it!", path, name));
        case ExportProblem::AverageNotServed:
            return warning(strformat("平均声速数据不能导出为%s格式！", name),
                           strformat("Average data can not be exported in %s format!", name));
        case ExportProblem::CannotCreate:
            return warning(strformat("无法创建导出文件%s！", path),
                           strformat("Failed to create export file : %s", path));
        case ExportProblem::WriteIncomplete:
            break;
    }
    return warning(strformat("写入导出文件%s失败，文件不完整！", path),
                   strformat("Failed to write export file : %s. The file is incomplete.", path));
}

}  // namespace quorvane
