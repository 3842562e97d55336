#include "device/operations/export_status.h"

#include <string>

#include "common/strformat.h"

namespace quorvane {

namespace {

constexpr const char* kProgressEn = "Progress:%.2f%%";
constexpr const char* kProgressZh = "导出进度：%.2f%%";

Text failed(const char* zh, const std::string& name) {
    return {strformat(zh, name.c_str()), strformat("Failed to export file: %s", name.c_str())};
}

}  // namespace

std::optional<Text> OnExportStatus(int code, int64_t value, std::string_view name) {
    const std::string text(name);
    switch (ExportStatus(code)) {
        case ExportStatus::ExportNoSelection:
            return Text{"未选中文件！", "No file is selected!"};
        case ExportStatus::ExportIndexFailed:
            return failed("导出%s文件失败", text);
        case ExportStatus::ExportStep1Failed:
            return failed("导出%s文件时，第一步命令错误", text);
        case ExportStatus::ExportStep2Failed:
            return failed("导出%s文件时，第二步命令错误", text);
        case ExportStatus::ExportProgress: {
            const double percent = double(value) / 100.0;
            return Text{strformat(kProgressZh, percent), strformat(kProgressEn, percent)};
        }
        case ExportStatus::ExportFileDone:
            return Text{strformat("%s文件接收完成！", text.c_str()),
                        strformat("%s receive OK!", text.c_str())};
    }
    return std::nullopt;
}

int64_t exportProgressValue(uint32_t bytesReceived, uint32_t fileSize) {
    if (fileSize == 0) {
        return 0;
    }
    return int64_t(double(bytesReceived) / double(fileSize) * 100.0 * 100.0);
}

bool isExportProgressText(const Text& text) {
    return text.en.starts_with("Progress:") && text.zh.starts_with("导出进度：");
}

}  // namespace quorvane
