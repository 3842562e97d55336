#include "postprocess/export/export_writer.h"

#include "common/file_io.h"
#include "common/strformat.h"
#include "postprocess/export/depth_filter.h"
#include "postprocess/export/export_choices.h"
#include "postprocess/export/fixed_decimal.h"

namespace quorvane {

namespace {

// Survey tools on Windows expect CR LF; written by hand so that POSIX builds agree byte for byte.
constexpr const char* kLineEnd = "\r\n";

// The whole file is composed first and written with one call: exports are small, and a single
// write leaves one place where a failure can show besides the final flush.
class ExportText {
  public:
    void lines(const std::vector<std::string>& texts) {
        for (const std::string& text : texts) {
            bytes_.append(text);
            bytes_.append(kLineEnd);
        }
    }
    void row(std::span<const double> values, char separator) {
        bool first = true;
        for (const double value : values) {
            if (!first) {
                bytes_.push_back(separator);
            }
            first = false;
            bytes_.append(fixed3(value));
        }
        bytes_.append(kLineEnd);
        ++rows_;
    }

    const std::string& bytes() const { return bytes_; }
    size_t rows() const { return rows_; }

  private:
    std::string bytes_;
    size_t rows_ = 0;
};

double valueOf(const ProfilePoint& point, ExportColumn column) {
    switch (column) {
        case ExportColumn::Depth:
            return point.depth;
        case ExportColumn::SoundVelocity:
            return point.soundVelocity;
        case ExportColumn::Temperature:
            break;
    }
    return point.temperature;
}

Message failureMessage(const char* zhFormat, const char* enFormat, const std::string& path) {
    return Message{BoxType::WarningOkCancel,
                   Text{strformat(zhFormat, path.c_str()), strformat(enFormat, path.c_str())}};
}

ExportResult writeExport(const std::string& chosenPath, ExportFormat format,
                         const ExportText& text) {
    ExportResult result;
    result.path = withExportExtension(chosenPath, format);
    FileHandle file = openFile(result.path, "wb");
    if (!file) {
        result.failure = failureMessage("无法创建导出文件%s！", "Failed to create export file : %s",
                                        result.path);
        return result;
    }
    const std::string& bytes = text.bytes();
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    if (!finishWriting(std::move(file)) || !written) {
        result.failure = failureMessage("写入导出文件%s失败，文件不完整！",
                                        "Failed to write export file : %s. The file is incomplete.",
                                        result.path);
        return result;
    }
    result.ok = true;
    result.rowsWritten = text.rows();
    return result;
}

}  // namespace

ExportResult exportProfile(std::span<const ProfilePoint> points, const std::string& chosenPath,
                           const ExportOptions& options) {
    const ExportFormatDescriptor& format = descriptorOf(options.format);
    ExportText text;
    text.lines(format.profileHeader(ExportContext{options.english}));
    DepthFilter filter(options.filterEnabled, options.filterDepth);
    std::vector<double> values(format.profileColumns.size());
    for (const ProfilePoint& point : points) {
        if (!filter.accept(point.depth)) {
            continue;
        }
        for (size_t c = 0; c < values.size(); ++c) {
            values[c] = valueOf(point, format.profileColumns[c]);
        }
        text.row(values, format.separator);
    }
    return writeExport(chosenPath, options.format, text);
}

ExportResult exportAverage(std::span<const AveragePoint> points, float averageStartDepth,
                           const std::string& chosenPath, const ExportOptions& options) {
    const ExportFormatDescriptor& format = descriptorOf(options.format);
    if (!format.servesAverage()) {
        ExportResult refused;
        refused.path = chosenPath;
        const std::string name(format.name);
        refused.failure = Message{
            BoxType::WarningOkCancel,
            Text{strformat("平均声速数据不能导出为%s格式！", name.c_str()),
                 strformat("Average data can not be exported in %s format!", name.c_str())}};
        return refused;
    }
    ExportText text;
    text.lines(format.averageHeader(ExportContext{options.english, averageStartDepth}));
    DepthFilter filter(options.filterEnabled, options.filterDepth);
    for (const AveragePoint& point : points) {
        if (filter.accept(point.depth)) {
            const double values[] = {point.depth, point.averageVelocity};
            text.row(values, format.separator);
        }
    }
    return writeExport(chosenPath, options.format, text);
}

}  // namespace quorvane
