#include "postprocess/export/export_choices.h"

#include "postprocess/rawcast/cast_data.h"

namespace quorvane {

namespace {
Message warning(const char* zh, const char* en) {
    return Message{BoxType::WarningOkCancel, Text{zh, en}};
}
}  // namespace

std::vector<ExportFormat> offeredFormats(ExportKind kind) {
    std::vector<ExportFormat> formats;
    for (const ExportFormatDescriptor& d : exportFormats()) {
        const bool offered = kind == ExportKind::Average ? d.servesAverage()
                             : kind == ExportKind::Raw   ? d.servesSamples
                                                         : true;
        if (offered) {
            formats.push_back(d.format);
        }
    }
    return formats;
}

std::string exportFilterOf(ExportKind kind, bool english) {
    std::string filter;
    for (const ExportFormat format : offeredFormats(kind)) {
        const ExportFormatDescriptor& d = descriptorOf(format);
        filter += english || d.chineseFilterEntry.empty() ? d.filterEntry : d.chineseFilterEntry;
    }
    return filter + "|";
}

std::optional<ExportFormat> formatForFilterIndex(ExportKind kind, int filterIndex) {
    const std::vector<ExportFormat> formats = offeredFormats(kind);
    if (filterIndex < 1 || static_cast<size_t>(filterIndex) > formats.size()) {
        return std::nullopt;
    }
    return formats[static_cast<size_t>(filterIndex) - 1];
}

std::string withExportExtension(const std::string& path, ExportFormat format) {
    const std::string_view extension = descriptorOf(format).extension;
    if (std::string_view(path).ends_with(extension)) {
        return path;
    }
    return path + std::string(extension);
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

Text defaultExportName(ExportKind kind, const std::string& baseName) {
    switch (kind) {
        case ExportKind::Raw:
            return Text{baseName + "_原始数据", baseName + "_Raw File"};
        case ExportKind::Fitting:
            return Text{baseName + "_拟合数据", baseName + "_Fitting File"};
        case ExportKind::Average:
            break;
    }
    return Text{baseName + "_平均声速", baseName + "_Average File"};
}

Text exportDialogTitle() {
    return Text{"导出文件", "Export File"};
}

std::optional<Message> checkFilterDepth(bool filterEnabled, float filterDepth) {
    if (!filterEnabled) {
        return std::nullopt;
    }
    return checkDepthInterval(filterDepth);
}

std::optional<Message> checkBeforeExport(ExportKind kind, size_t pointCount, bool filterEnabled,
                                         float filterDepth) {
    if (pointCount == 0) {
        return emptyListMessage(kind);
    }
    return checkFilterDepth(filterEnabled, filterDepth);
}

}  // namespace quorvane
