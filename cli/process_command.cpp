#include "cli/process_command.h"

#include <cstdio>
#include <filesystem>
#include <optional>

#include "cli/arguments.h"
#include "cli/console_prompter.h"
#include "common/strformat.h"
#include "postprocess/export/export_choices.h"
#include "postprocess/export/export_writer.h"
#include "postprocess/profilefiles/point_file.h"
#include "postprocess/rawcast/raw_file.h"
#include "postprocess/reduction/average_velocity.h"
#include "postprocess/reduction/cast_reduction.h"

namespace quorvane::cli {

namespace {

// The --format names of the export table, joined: "csv|vel|txt" or "csv, vel or txt".
std::string formatNames(const char* between, const char* beforeLast) {
    std::string names;
    const auto formats = exportFormats();
    for (size_t i = 0; i < formats.size(); ++i) {
        if (i > 0) {
            names += i + 1 == formats.size() ? beforeLast : between;
        }
        names += formats[i].cliName;
    }
    return names;
}

struct ProcessSettings {
    std::filesystem::path outDir = "Data";
    bool english = true;
    std::optional<double> density, latitude, interval, startDepth, filter;
    std::vector<const ExportFormatDescriptor*> formats;
};

std::optional<ProcessSettings> parseSettings(const Arguments& args, std::string& error) {
    ProcessSettings s;
    if (const auto out = args.value("out"))
        s.outDir = *out;
    const std::string lang = args.value("lang").value_or("en");
    if (lang != "en" && lang != "zh") {
        error = "--lang must be en or zh";
        return std::nullopt;
    }
    s.english = lang == "en";
    s.density = args.number("density", error);
    s.latitude = args.number("latitude", error);
    s.interval = args.number("interval", error);
    s.startDepth = args.number("start-depth", error);
    s.filter = args.number("filter", error);
    for (const std::string& name : args.values("format")) {
        if (const ExportFormatDescriptor* format = formatNamed(name)) {
            s.formats.push_back(format);
        } else {
            error = "--format must be " + formatNames(", ", " or ") + ", not '" + name + "'";
        }
    }
    if (s.formats.empty()) {
        for (const ExportFormatDescriptor& format : exportFormats()) {
            s.formats.push_back(&format);
        }
    }
    if (!error.empty())
        return std::nullopt;
    return s;
}

// One cast from raw file to every output; returns whether everything was written.
class CastProcessor {
  public:
    CastProcessor(const ProcessSettings& settings, ConsolePrompter& console)
        : s_(settings), console_(console) {}

    bool run(const std::string& path) {
        data_ = CastData{};
        data_.currentBaseName = baseNameOf(path);
        const RawLoadResult load = LoadRawFile(data_, path);
        show(load.messages);
        if (!load.scanned) {
            return false;
        }
        if (s_.density)
            data_.density = float(*s_.density);
        if (s_.latitude)
            data_.latitude = float(*s_.latitude);
        if (s_.interval)
            data_.depthInterval = float(*s_.interval);
        ok_ = true;
        if (const auto m = fitStatusMessage(ReduceSamples(data_), data_)) {
            fail(*m);
        }
        const AverageResult average = computeAverage();
        writeOutputs();
        printSummary(path, load, average);
        return ok_;
    }

  private:
    void show(const std::vector<Message>& messages) {
        for (const Message& m : messages) console_.say(m.text);
    }
    void fail(const Message& m) {
        console_.say(m.text);
        ok_ = false;
    }

    AverageResult computeAverage() {
        const float start =
            s_.startDepth ? float(*s_.startDepth) : defaultAverageStartDepth(data_.depthMin);
        AverageResult result = ComputeAverageVelocity(data_, start);
        if (result.status == AverageStatus::Computed) {
            console_.say(result.message->text);
        } else if (result.message) {
            fail(*result.message);
        }
        return result;
    }

    std::string outPath(const std::string& name) const { return (s_.outDir / name).string(); }

    void check(const PointFileResult& r) {
        if (!r.ok)
            fail(*r.message);
    }

    void exportKind(ExportKind kind, size_t count) {
        ExportOptions options{ExportFormat::Csv, s_.english, s_.filter.has_value(),
                              float(s_.filter.value_or(0.5))};
        if (const auto refused =
                checkBeforeExport(kind, count, options.filterEnabled, options.filterDepth)) {
            fail(*refused);
            return;
        }
        const std::string base =
            outPath(defaultExportName(kind, data_.currentBaseName).pick(s_.english));
        for (const ExportFormatDescriptor* format : s_.formats) {
            if (kind == ExportKind::Average && !format->servesAverage()) {
                continue;
            }
            options.format = format->format;
            const ExportResult r =
                kind == ExportKind::Average
                    ? exportAverage(data_.averageProfile, data_.averageStartDepth, base, options)
                    : exportProfile(
                          kind == ExportKind::Raw ? data_.rawProfile : data_.fittedProfile, base,
                          options);
            if (!r.ok)
                fail(*r.failure);
            else
                written_.push_back(r.path);
        }
    }

    void writeOutputs() {
        written_.clear();
        const std::string prf = outPath(data_.currentBaseName + ".prf");
        const std::string asvf = outPath(data_.currentBaseName + ".asvf");
        const PointFileResult savedProfile = SaveProfileFile(prf, data_.fittedProfile);
        check(savedProfile);
        if (savedProfile.ok)
            written_.push_back(prf);
        const PointFileResult savedAverage = SaveAverageFile(asvf, data_.averageProfile);
        check(savedAverage);
        if (savedAverage.ok)
            written_.push_back(asvf);
        exportKind(ExportKind::Raw, data_.rawProfile.size());
        exportKind(ExportKind::Fitting, data_.fittedProfile.size());
        exportKind(ExportKind::Average, data_.averageProfile.size());
    }

    void printSummary(const std::string& path, const RawLoadResult& load,
                      const AverageResult& average) const {
        const bool en = s_.english;
        std::printf("%s %s\n", en ? "Cast:" : "文件：", path.c_str());
        std::printf("%s %08d   %s %s\n", en ? "  Device ID:" : "  设备ID：", load.header.deviceId(),
                    en ? "Firmware:" : "固件版本：", load.header.firmwareVersion().c_str());
        std::printf("%s %zu   %s %.4f bar\n", en ? "  Records kept:" : "  有效记录：",
                    data_.rawRecords.size(), en ? "Surface pressure:" : "水面压力：",
                    double(data_.surfacePressure));
        std::printf("%s %.3f g/cm3, %.3f°, %.3f m\n",
                    en ? "  Density, latitude, depth interval:" : "  密度、纬度、水深间隔：",
                    double(data_.density), double(data_.latitude), double(data_.depthInterval));
        std::printf("%s %zu / %zu / %zu / %zu\n",
                    en ? "  Points raw/down/up/fitted:" : "  点数 原始/下放/上提/拟合：",
                    data_.rawProfile.size(), data_.downCast.size(), data_.upCast.size(),
                    data_.fittedProfile.size());
        if (average.status == AverageStatus::Computed) {
            std::printf("%s %.2f m   %s %.2f m/s (%s %.2f m)\n",
                        en ? "  Maximum depth:" : "  最大深度：", data_.averageDepthMax,
                        en ? "Average sound velocity:" : "平均声速：",
                        double(average.averageVelocity), en ? "from" : "起始深度",
                        double(data_.averageStartDepth));
        }
        for (const std::string& file : written_) {
            std::printf("  %s %s\n", en ? "wrote" : "已写入", file.c_str());
        }
        std::fflush(stdout);
    }

    const ProcessSettings& s_;
    ConsolePrompter& console_;
    CastData data_;
    bool ok_ = true;
    std::vector<std::string> written_;
};

}  // namespace

std::string processUsage() {
    return "usage: quorvane-cli process CAST.bin... [--out DIR] [--lang en|zh] [--density G]\n"
           "           [--latitude DEG] [--interval M] [--start-depth M] [--filter M]\n"
           "           [--format " +
           formatNames("|", "|") +
           "]...\n"
           "  Reduces each raw cast and writes <name>.prf, <name>.asvf and the raw, fitting and\n"
           "  average exports into DIR (default: Data under the current folder). The header's\n"
           "  density, latitude and depth interval are used unless given. --filter M turns the\n"
           "  water-depth filter of the exports on. Messages go to stderr, a summary to stdout.\n";
}

int runProcess(const std::vector<std::string>& words) {
    const Arguments args(
        words,
        {"out", "lang", "density", "latitude", "interval", "start-depth", "filter", "format"}, {});
    std::string error = args.error();
    std::optional<ProcessSettings> settings;
    if (error.empty())
        settings = parseSettings(args, error);
    if (error.empty() && args.positional().empty())
        error = "no cast file given";
    if (!error.empty()) {
        std::fprintf(stderr, "quorvane-cli process: %s\n%s", error.c_str(), processUsage().c_str());
        return 2;
    }
    std::error_code ec;
    std::filesystem::create_directories(settings->outDir, ec);
    if (ec) {
        std::fprintf(stderr, "quorvane-cli process: cannot create %s: %s\n",
                     settings->outDir.string().c_str(), ec.message().c_str());
        return 1;
    }
    ConsolePrompter console(settings->english, false);
    // The window's Reset refuses such an interval; the command line says so and fits at it.
    if (settings->interval) {
        if (const auto warning = checkDepthInterval(float(*settings->interval))) {
            console.say(warning->text);
        }
    }
    CastProcessor processor(*settings, console);
    int failures = 0;
    for (const std::string& path : args.positional()) {
        if (!processor.run(path)) {
            ++failures;
            std::fprintf(
                stderr, "quorvane-cli process: %s: %s\n", path.c_str(),
                settings->english ? "not every file could be written" : "未能写入全部文件");
        }
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace quorvane::cli
