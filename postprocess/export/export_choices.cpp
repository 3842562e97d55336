#include "postprocess/export/export_choices.h"

#include <algorithm>

#include "postprocess/rawcast/cast_data.h"

namespace quorvane {

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

bool writtenUnattended(ExportKind kind, ExportFormat format) {
    const std::vector<ExportFormat> offered = offeredFormats(kind);
    if (std::find(offered.begin(), offered.end(), format) == offered.end()) {
        return false;
    }
    return !descriptorOf(format).acquisition || kind == ExportKind::Fitting;
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

bool filterDepthUsable(bool filterEnabled, float filterDepth) {
    return !filterEnabled || depthIntervalUsable(filterDepth);
}

std::optional<ExportCheck> checkBeforeExport(size_t pointCount, bool filterEnabled,
                                             float filterDepth) {
    if (pointCount == 0) {
        return ExportCheck::EmptyList;
    }
    if (!filterDepthUsable(filterEnabled, filterDepth)) {
        return ExportCheck::FilterDepthUnusable;
    }
    return std::nullopt;
}

}  // namespace quorvane
