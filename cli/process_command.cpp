#include "cli/process_command.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "cli/cast_recorder.h"
#include "cli/cast_stamp_options.h"
#include "cli/console_prompter.h"
#include "common/arguments.h"
#include "common/file_io.h"
#include "common/path_names.h"
#include "common/strformat.h"
#include "navigation/nav_log.h"
#include "navigation/nav_position_text.h"
#include "postprocess/export/export_messages.h"
#include "postprocess/pipeline/cast_pipeline.h"
#include "postprocess/profilefiles/point_file.h"
#include "postprocess/profilefiles/point_file_messages.h"
#include "postprocess/rawcast/raw_cast_messages.h"
#include "postprocess/reduction/average_velocity.h"
#include "postprocess/reduction/reduction_messages.h"

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
    CastStampOptions stamp;
    std::vector<std::string> navLogs;  // positions from the navigation instead
    double maxGapS = 10.0;
    bool append = false;
    bool library = true;  // recorded in the working folder's cast library
};

std::optional<ProcessSettings> parseSettings(const Arguments& args, std::string& error) {
    ProcessSettings s;
    if (const auto out = args.value("out"))
        s.outDir = pathFromUtf8(*out);
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
    // Unless asked for, the three tables only: the packages' files want a time and a position
    // that a plain run does not give.
    if (s.formats.empty()) {
        for (const ExportFormatDescriptor& format : exportFormats()) {
            if (!format.acquisition)
                s.formats.push_back(&format);
        }
    }
    s.stamp = readCastStampOptions(args, error);
    s.navLogs = args.values("nav");
    if (!s.navLogs.empty() && s.stamp.position)
        error = "give --position or --nav, not both";
    if (const auto gap = args.number("max-gap", error)) {
        if (*gap <= 0 || *gap > 3600)
            error = "--max-gap must be seconds from 0 to 3600";
        s.maxGapS = *gap;
    }
    s.append = args.flag("append");
    s.library = !args.flag("no-library");
    if (!error.empty())
        return std::nullopt;
    return s;
}

// One cast from raw file to every output; returns whether everything was written.
class CastProcessor {
  public:
    CastProcessor(const ProcessSettings& settings, ConsolePrompter& console, CastRecorder* recorder)
        : s_(settings), console_(console), recorder_(recorder) {
        for (const std::string& log : s_.navLogs) {
            std::string problem;
            navLogs_.emplace_back(log, problem);
            if (!problem.empty()) {
                console_.say(Text{problem, problem});
            }
        }
    }

    bool run(const std::string& path) {
        data_ = CastData{};
        baseName_ = baseNameOf(path);
        const CastLoad load = LoadAndReduce(data_, path, given());
        const std::vector<Message> messages = castLoadMessages(load, path, data_);
        if (!load.raw.scanned) {
            for (const Message& m : messages) console_.say(m.text);
            return false;
        }
        ok_ = true;
        cast_ = castInfo(path, load.raw.header);
        for (const Message& m : messages) fail(m);  // a scanned file's: the fit's refusal
        const AverageResult average = computeAverage();
        writeOutputs();
        printSummary(path, load.raw, average);
        record(path, load.raw.header, average);
        return ok_;
    }

  private:
    ReductionSettings given() const {
        const auto single = [](const std::optional<double>& value) {
            return value ? std::optional<float>(float(*value)) : std::nullopt;
        };
        return {single(s_.density), single(s_.latitude), single(s_.interval)};
    }

    CastInfo castInfo(const std::string& path, const RawFileHeader& header) {
        CastInfo cast;
        positionSource_.clear();
        const std::optional<CastTime> named = castTimeFromFileName(fileNameOf(path));
        const std::optional<CastTime> local = s_.stamp.time ? s_.stamp.time : localCastTime(path);
        localTime_ = local;
        if (local) {
            const double offset = s_.stamp.utcOffsetAt(*local);
            cast.time = toUtc(*local, offset);
            if (!s_.stamp.utcOffset && (timeUsed() || !s_.navLogs.empty()))
                console_.say(pcOffsetNote(path, offset));
        }
        cast.position = s_.navLogs.empty() || !cast.time ? s_.stamp.position
                                                         : navigationPosition(path, *cast.time);
        if (s_.stamp.position)
            positionSource_ = "typed";
        cast.deviceId = header.deviceId();
        cast.name = baseName_;
        cast.sourceFile = fileNameOf(path);
        warnOfGuesses(path, !s_.stamp.time && !named && local, local, cast.position.has_value());
        return cast;
    }

    // Where the ship was at the cast's UTC time, from the navigation logs; said either way.
    std::optional<CastPosition> navigationPosition(const std::string& path, const CastTime& utc) {
        const int64_t maximumGapMs = std::llround(s_.maxGapS * 1000.0);
        const NavLookup lookup =
            positionFromLogs(navLogs_, secondsSinceEpoch(utc) * 1000, maximumGapMs);
        const Text said = navLookupText(lookup, utc, maximumGapMs);
        console_.say(Text{path + "：" + said.zh, path + ": " + said.en});
        if (!lookup.found)
            return std::nullopt;
        positionSource_ = navPositionSource(*lookup.found);
        return lookup.found->position;
    }

    bool timeUsed() const {
        return std::any_of(s_.formats.begin(), s_.formats.end(),
                           [](const auto* f) { return f->writesTime; });
    }

    // Once per cast: what the packages' files will lack or only guess.
    void warnOfGuesses(const std::string& path, bool timeFromModification,
                       const std::optional<CastTime>& local, bool positioned) const {
        std::string lacking;
        for (const ExportFormatDescriptor* format : s_.formats) {
            if (format->writesPosition && !positioned &&
                lacking.find(format->name) == std::string::npos) {
                lacking += (lacking.empty() ? "" : ", ") + std::string(format->name);
            }
        }
        std::string en, zh;
        if (!lacking.empty()) {
            en += "no cast position (--position LAT,LON) for " + lacking;
            zh += "未给出投放位置（--position 纬度,经度），用于" + lacking;
        }
        if (timeUsed() && timeFromModification) {
            const std::string when = castTimeText(*local);
            en += (en.empty() ? "" : "; ") +
                  std::string(
                      "the cast time is the file's "
                      "modification time, ") +
                  when + " (--time sets it)";
            zh += (zh.empty() ? "" : "；") + std::string("投放时间取自文件修改时间") + when +
                  "（可用--time指定）";
        }
        if (!en.empty()) {
            console_.say(Text{path + "：" + zh, path + ": " + en});
        }
    }

    void fail(const Message& m) {
        console_.say(m.text);
        ok_ = false;
    }

    AverageResult computeAverage() {
        const float start =
            s_.startDepth ? float(*s_.startDepth) : defaultAverageStartDepth(data_.depthMin);
        AverageResult result = ComputeAverageVelocity(data_, start);
        if (const auto message = averageMessage(result)) {
            if (result.status == AverageStatus::Computed) {
                console_.say(message->text);
            } else {
                fail(*message);
            }
        }
        return result;
    }

    std::string outPath(const std::string& name) const {
        return utf8OfPath(s_.outDir / pathFromUtf8(name));
    }

    void check(const PointFileResult& r, PointFileKind kind, const std::string& path) {
        if (!r.ok)
            fail(pointFileMessage(kind, *r.problem, path));
    }

    void exportKind(ExportKind kind) {
        ExportOptions options{ExportFormat::Csv, s_.english, s_.filter.has_value(),
                              float(s_.filter.value_or(0.5))};
        options.cast = cast_;
        options.append = s_.append;
        if (const auto refused = checkBeforeExport(exportPointCount(data_, kind),
                                                   options.filterEnabled, options.filterDepth)) {
            fail(exportCheckMessage(kind, *refused));
            return;
        }
        for (const ExportFormatDescriptor* format : s_.formats) {
            if (!writtenUnattended(kind, format->format)) {
                continue;
            }
            // The packages' files are the cast's profile and carry its name alone.
            const std::string base =
                outPath(format->acquisition ? baseName_
                                            : defaultExportName(kind, baseName_).pick(s_.english));
            options.format = format->format;
            const ExportResult r = ExportCast(data_, kind, base, options);
            if (!r.ok)
                fail(exportFailureMessage(*r.failure));
            else
                written_.push_back({r.path, r.appended, std::string(format->cliName)});
            if (const auto warning = salinityWarning(r))
                console_.say(warning->text);
        }
    }

    void writeOutputs() {
        written_.clear();
        const std::string prf = outPath(baseName_ + ".prf");
        const std::string asvf = outPath(baseName_ + ".asvf");
        const PointFileResult savedProfile = SaveProfileFile(prf, data_.fittedProfile);
        check(savedProfile, PointFileKind::Profile, prf);
        if (savedProfile.ok)
            written_.push_back({prf, false, "prf"});
        const PointFileResult savedAverage = SaveAverageFile(asvf, data_.averageProfile);
        check(savedAverage, PointFileKind::Average, asvf);
        if (savedAverage.ok)
            written_.push_back({asvf, false, "asvf"});
        exportKind(ExportKind::Raw);
        exportKind(ExportKind::Fitting);
        exportKind(ExportKind::Average);
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
        for (const auto& [file, appended, kind] : written_) {
            std::printf(
                "  %s %s\n",
                appended ? (en ? "added the cast to" : "已追加到") : (en ? "wrote" : "已写入"),
                file.c_str());
        }
        std::fflush(stdout);
    }

    // Processing again replaces the record: the library holds a cast as it was last processed,
    // with every file ever written from it.
    void record(const std::string& path, const RawFileHeader& header,
                const AverageResult& average) const {
        if (recorder_ == nullptr)
            return;
        ProcessedCast cast = processedCast(path, header.deviceId(), data_,
                                           average.status == AverageStatus::Computed, s_.filter);
        cast.localTime = localTime_;
        cast.utcTime = cast_.time;
        cast.position = cast_.position;
        cast.positionSource = cast_.position ? positionSource_ : std::string();
        std::vector<CastOutput> outputs;
        std::error_code ignored;
        for (const auto& [file, appended, kind] : written_) {
            outputs.push_back(
                {kind, utf8OfPath(std::filesystem::absolute(pathFromUtf8(file), ignored))});
        }
        recorder_->record(cast, outputs, true);
    }

    const ProcessSettings& s_;
    ConsolePrompter& console_;
    CastData data_;
    std::string baseName_;
    bool ok_ = true;
    CastInfo cast_;
    std::vector<NavLogFile> navLogs_;
    CastRecorder* recorder_;
    std::optional<CastTime> localTime_;
    std::string positionSource_;
    struct Written {
        std::string path;
        bool appended = false;
        std::string kind;  // as the library records it
    };
    std::vector<Written> written_;
};

}  // namespace

std::string processUsage() {
    return "usage: quorvane-cli process CAST.bin... [--out DIR] [--lang en|zh] [--density G]\n"
           "           [--latitude DEG] [--interval M] [--start-depth M] [--filter M]\n"
           "           [--format " +
           formatNames("|", "|") +
           "]...\n"
           "           [--time \"YYYY-MM-DD HH:MM:SS\"] [--utc-offset H] [--position LAT,LON]\n"
           "           [--nav LOG... [--max-gap S]] [--append] [--no-library]\n"
           "  Reduces each raw cast and writes <name>.prf, <name>.asvf and the raw, fitting and\n"
           "  average exports into DIR (default: Data under the current folder). The header's\n"
           "  density, latitude and depth interval are used unless given. --filter M turns the\n"
           "  water-depth filter of the exports on. Without --format: csv, vel and txt.\n"
           "  The acquisition packages' formats write the fitted profile as <name>.<ext> with\n"
           "  the cast's time (--time, else a downloaded cast's name, else the file's\n"
           "  modification time: local time, made UTC with --utc-offset H hours east, else\n"
           "  with this PC's own offset at that time) and\n"
           "  --position.\n"
           "  --nav LOG (repeatable; quorvane-cli nav record writes them) takes each cast's\n"
           "  position from the navigation instead: between the two fixes around its UTC time,\n"
           "  refused when they are more than --max-gap S seconds apart (default 10).\n"
           "  --append adds the cast to an existing CARIS .svp as a new section.\n"
           "  Each cast is recorded, with the files written, in the cast library\n"
           "  Data/quorvane.sqlite under the current folder (quorvane-cli library), where the\n"
           "  build has one; --no-library leaves it alone.\n"
           "  Messages go to stderr, a summary to stdout.\n";
}

int runProcess(const std::vector<std::string>& words) {
    const Arguments args(words,
                         {"out", "lang", "density", "latitude", "interval", "start-depth", "filter",
                          "format", "time", "utc-offset", "position", "nav", "max-gap"},
                         {"append", "no-library"});
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
                     utf8OfPath(settings->outDir).c_str(), ec.message().c_str());
        return 1;
    }
    ConsolePrompter console(settings->english, false);
    // The window's Reset refuses such an interval; the command line says so and fits at it.
    if (settings->interval) {
        if (!depthIntervalUsable(float(*settings->interval))) {
            console.say(depthIntervalMessage().text);
        }
    }
    const std::unique_ptr<CastRecorder> recorder =
        settings->library ? workingFolderRecorder(console) : nullptr;
    CastProcessor processor(*settings, console, recorder.get());
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
