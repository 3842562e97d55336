#include "postprocess/export/export_writer.h"

#include "common/file_io.h"
#include "common/strformat.h"
#include "postprocess/export/depth_filter.h"
#include "postprocess/export/fixed_decimal.h"
#include "postprocess/export/gbk_texts.h"

namespace quorvane {

namespace {

// Survey tools on Windows expect CR LF; written by hand so that POSIX builds agree byte for byte.
constexpr const char* kLineEnd = "\r\n";

// The whole file is composed first and written with one call: exports are small, and a single
// write leaves one place where a failure can show besides the final flush.
class ExportText {
  public:
    void line(std::string_view text) {
        bytes_.append(text);
        bytes_.append(kLineEnd);
    }
    void row(std::initializer_list<double> values, char separator) {
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

char separatorOf(ExportFormat format) {
    return format == ExportFormat::Csv ? ',' : ' ';
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
    ExportText text;
    const bool english = options.english;
    if (options.format == ExportFormat::Hypack) {
        text.line("FTP NEW 2");
    } else {
        text.line(english ? "Depth,Sound Velocity,Temperature" : kGbkProfileHeader.gbk);
    }
    DepthFilter filter(options.filterEnabled, options.filterDepth);
    const char separator = separatorOf(options.format);
    for (const ProfilePoint& point : points) {
        if (!filter.accept(point.depth)) {
            continue;
        }
        if (options.format == ExportFormat::Hypack) {
            text.row({point.depth, point.soundVelocity}, separator);
        } else {
            text.row({point.depth, point.soundVelocity, point.temperature}, separator);
        }
    }
    return writeExport(chosenPath, options.format, text);
}

ExportResult exportAverage(std::span<const AveragePoint> points, float averageStartDepth,
                           const std::string& chosenPath, const ExportOptions& options) {
    if (options.format == ExportFormat::Hypack) {
        ExportResult refused;
        refused.path = chosenPath;
        refused.failure = Message{BoxType::WarningOkCancel,
                                  Text{"平均声速数据不能导出为HYPACK格式！",
                                       "Average data can not be exported in HYPACK format!"}};
        return refused;
    }
    ExportText text;
    const std::string startDepth = fixed3(averageStartDepth);
    if (options.english) {
        text.line("Begin depth," + startDepth);
        text.line("Depth,Sound Velocity");
    } else {
        text.line(std::string(kGbkBeginDepthLabel.gbk) + startDepth);
        text.line(kGbkAverageHeader.gbk);
    }
    DepthFilter filter(options.filterEnabled, options.filterDepth);
    const char separator = separatorOf(options.format);
    for (const AveragePoint& point : points) {
        if (filter.accept(point.depth)) {
            text.row({point.depth, point.averageVelocity}, separator);
        }
    }
    return writeExport(chosenPath, options.format, text);
}

}  // namespace quorvane
