#include "postprocess/export/export_writer.h"

#include <filesystem>

#include "common/file_io.h"
#include "postprocess/export/depth_filter.h"
#include "postprocess/export/export_choices.h"
#include "postprocess/export/fixed_decimal.h"
#include "postprocess/export/profile_check.h"
#include "postprocess/export/profile_writers.h"

namespace quorvane {

namespace {

// Survey tools on Windows expect CR LF; written by hand so that POSIX builds agree byte for byte.
constexpr const char* kLineEnd = "\r\n";

// The tables are composed in full first and written with one call: exports are small, and a
// single write leaves one place where a failure can show besides the final flush.
class ExportText {
  public:
    void lines(const std::vector<std::string>& texts) {
        for (const std::string& text : texts) {
            body_.bytes.append(text);
            body_.bytes.append(kLineEnd);
        }
    }
    void row(std::span<const double> values, char separator) {
        bool first = true;
        for (const double value : values) {
            if (!first) {
                body_.bytes.push_back(separator);
            }
            first = false;
            body_.bytes.append(fixed3(value));
        }
        body_.bytes.append(kLineEnd);
        ++body_.rows;
    }

    ExportBody done() { return std::move(body_); }

  private:
    ExportBody body_;
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

ExportResult refusedAt(const std::string& path, const ExportFormatDescriptor& format,
                       ExportFailure why) {
    why.formatName = format.name;
    why.path = path;
    ExportResult result;
    result.path = path;
    result.failure = std::move(why);
    return result;
}

// What an existing file that a cast is to be added to holds; nothing when it is missing or
// empty, so the export writes a whole new file.
std::optional<std::string> existingContent(const std::string& path) {
    FileHandle file = openFile(path, "rb");
    if (!file) {
        return std::nullopt;
    }
    std::string content;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;) {
        content.append(buffer, n);
    }
    if (content.empty()) {
        return std::nullopt;
    }
    return content;
}

ExportResult writeExport(const std::string& path, const ExportFormatDescriptor& format,
                         const ExportBody& body, bool append) {
    FileHandle file = openFile(path, append ? "ab" : "wb");
    if (!file) {
        return refusedAt(path, format, {ExportProblem::CannotCreate});
    }
    const std::string& bytes = body.bytes;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    if (!finishWriting(std::move(file)) || !written) {
        return refusedAt(path, format, {ExportProblem::WriteIncomplete});
    }
    ExportResult result;
    result.path = path;
    result.ok = true;
    result.appended = append;
    result.rowsWritten = body.rows;
    result.salinityUnfitted = body.salinityUnfitted;
    return result;
}

}  // namespace

ExportBody writeTableProfile(const ExportFormatDescriptor& format,
                             std::span<const ProfilePoint> points, const ExportContext& context) {
    ExportText text;
    text.lines(format.profileHeader(context));
    std::vector<double> values(format.profileColumns.size());
    for (const ProfilePoint& point : points) {
        for (size_t c = 0; c < values.size(); ++c) {
            values[c] = valueOf(point, format.profileColumns[c]);
        }
        text.row(values, format.separator);
    }
    return text.done();
}

ExportResult exportProfile(std::span<const ProfilePoint> points, const std::string& chosenPath,
                           const ExportOptions& options) {
    const ExportFormatDescriptor& format = descriptorOf(options.format);
    const std::string path = withExportExtension(chosenPath, options.format);
    if (format.acquisition) {
        if (const auto refusal = checkProfileValues(points, !options.samples)) {
            return refusedAt(path, format, *refusal);
        }
    }
    std::vector<ProfilePoint> kept;
    DepthFilter filter(options.filterEnabled, options.filterDepth);
    for (const ProfilePoint& point : points) {
        if (filter.accept(point.depth)) {
            kept.push_back(point);
        }
    }
    const std::optional<std::string> existing =
        options.append && !format.appendsAfter.empty() ? existingContent(path) : std::nullopt;
    if (existing && !std::string_view(*existing).starts_with(format.appendsAfter)) {
        return refusedAt(path, format, {ExportProblem::NotAppendable});
    }
    std::error_code ignored;  // a path the system cannot make absolute is written as given
    const std::filesystem::path absolute = std::filesystem::absolute(pathFromUtf8(path), ignored);
    ExportContext context{options.english, 0.5f, options.cast,
                          absolute.empty() ? path : utf8OfPath(absolute), existing.has_value()};
    ExportBody body = format.writeProfile(format, kept, context);
    if (body.refusal) {
        return refusedAt(path, format, *body.refusal);
    }
    // A file whose last line lacks its end would run into the new section.
    if (existing && existing->back() != '\n') {
        body.bytes.insert(0, kLineEnd);
    }
    return writeExport(path, format, body, existing.has_value());
}

ExportResult exportAverage(std::span<const AveragePoint> points, float averageStartDepth,
                           const std::string& chosenPath, const ExportOptions& options) {
    const ExportFormatDescriptor& format = descriptorOf(options.format);
    if (!format.servesAverage()) {
        return refusedAt(chosenPath, format, {ExportProblem::AverageNotServed});
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
    return writeExport(withExportExtension(chosenPath, options.format), format, text.done(), false);
}

}  // namespace quorvane
