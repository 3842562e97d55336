#include "device/operations/download_status.h"

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

Text fileDownloadStatus(const FileDownload& file) {
    const char* name = file.name.c_str();
    const unsigned kept = file.bytesWritten;
    const unsigned size = file.announcedSize;
    switch (file.end) {
        case FileEnd::Running:
        case FileEnd::Complete:
            if (!file.damaged()) {
                return *OnExportStatus(int(ExportStatus::ExportFileDone), 0, file.name);
            }
            if (file.blocksZeroFilled == 0 && file.sizeMismatch()) {
                const auto listed = static_cast<unsigned long long>(*file.listedSize);
                return {strformat("%s文件大小不符：设备报告%u字节，文件列表为%llu字节", name, size,
                                  listed),
                        strformat("%s size mismatch: the device announced %u bytes, its file "
                                  "list says %llu",
                                  name, size, listed)};
            }
            return {strformat("%s文件接收不完整：%d/%d个数据块缺失（已写为零）", name,
                              file.blocksZeroFilled, file.blocks),
                    strformat("%s received with %d of %d blocks missing (written as zeros)", name,
                              file.blocksZeroFilled, file.blocks)};
        case FileEnd::GivenUp:
            return {strformat("%s文件接收中止：连续%d个数据块未收到，保留%u/%u字节", name,
                              kBlocksGivenUpInARow, kept, size),
                    strformat("%s given up after %d blocks in a row did not come: %u of %u "
                              "bytes kept",
                              name, kBlocksGivenUpInARow, kept, size)};
        case FileEnd::OutOfStep:
            return {
                strformat("%s文件接收中止：设备的记录编号不连续，保留%u/%u字节", name, kept, size),
                strformat("%s stopped: the device's record numbers do not continue, %u of "
                          "%u bytes kept",
                          name, kept, size)};
        case FileEnd::Short:
            return {strformat("%s文件不完整：设备只发送了%u/%u字节", name, kept, size),
                    strformat("%s short: the device sent %u of the %u bytes it announced", name,
                              kept, size)};
        case FileEnd::SizeUnread: {
            const char* announced = file.sizeText.c_str();
            return {strformat("%s文件未接收：设备报告的文件大小“%s”无效", name, announced),
                    strformat("%s not received: the device announced the size \"%s\"", name,
                              announced)};
        }
        case FileEnd::LinkLost:
        case FileEnd::Stopped:
        case FileEnd::WriteFailed:
            break;
    }
    return {strformat("%s文件接收不完整：已接收%u/%u字节", name, kept, size),
            strformat("%s incomplete: %u of %u bytes received", name, kept, size)};
}

Text fileDownloadCompletion(const FileDownload& file) {
    const char* name = file.name.c_str();
    if (file.end == FileEnd::SizeUnread) {
        return fileDownloadStatus(file);
    }
    Text line{
        strformat("%s：接收%u/%u字节", name, file.bytesFromDevice, file.announcedSize),
        strformat("%s: %u of %u bytes received", name, file.bytesFromDevice, file.announcedSize)};
    if (file.blocksZeroFilled > 0) {
        line.zh += strformat("，%d个数据块写为零", file.blocksZeroFilled);
        line.en += strformat(", %d blocks written as zeros", file.blocksZeroFilled);
    }
    if (!file.validRecords) {
        line.zh += "，无法读取文件以计数记录";
        line.en += ", the file could not be read to count its records";
    } else if (*file.validRecords == 0) {
        line.zh += "，没有有效记录";
        line.en += ", no valid record";
    } else {
        const auto records = static_cast<unsigned long long>(*file.validRecords);
        line.zh += strformat("，%llu条有效记录", records);
        line.en += strformat(", %llu valid records", records);
    }
    if (!file.path.empty()) {
        line.zh += "，保存为" + file.path;
        line.en += ", saved as " + file.path;
    }
    if (file.listedSize && *file.listedSize != file.announcedSize) {
        const auto listed = static_cast<unsigned long long>(*file.listedSize);
        line.zh += strformat("；设备报告%u字节，文件列表为%llu字节", file.announcedSize, listed);
        line.en += strformat("; the device announced %u bytes, its file list says %llu",
                             file.announcedSize, listed);
    }
    return line;
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
