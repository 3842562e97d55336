#include "cli/library_command.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "cli/cast_recorder.h"
#include "cli/console_prompter.h"
#include "cli/text_table.h"
#include "common/arguments.h"
#include "common/file_io.h"
#include "common/path_names.h"
#include "common/strformat.h"
#include "library/library_export.h"
#include "library/library_recorder.h"
#include "postprocess/pipeline/cast_pipeline.h"
#include "postprocess/reduction/average_velocity.h"

namespace quorvane::cli {

namespace {

int refuse(const std::string& problem) {
    std::fprintf(stderr, "quorvane-cli library: %s\n%s", problem.c_str(), libraryUsage().c_str());
    return 2;
}

// What every subcommand takes: the library file and the language.
struct Common {
    std::string library;
    bool english = true;
};

std::optional<Common> commonOf(const Arguments& args, std::string& error) {
    Common c;
    c.library = args.value("library").value_or(workingFolderLibrary());
    const std::string lang = args.value("lang").value_or("en");
    if (lang != "en" && lang != "zh")
        error = "--lang must be en or zh";
    c.english = lang == "en";
    if (!error.empty())
        return std::nullopt;
    return c;
}

LibraryFilter filterOf(const Arguments& args, std::string& error) {
    LibraryFilter filter;
    if (const auto since = args.value("since")) {
        filter.since = parseSince(*since);
        if (!filter.since)
            error = "--since must be YYYY-MM-DD or \"YYYY-MM-DD HH:MM:SS\", not '" + *since + "'";
    }
    if (const auto near = args.value("near")) {
        const size_t comma = near->rfind(',');
        const std::optional<CastPosition> centre =
            comma == std::string::npos ? std::nullopt : parsePosition(near->substr(0, comma));
        char* end = nullptr;
        const std::string km = comma == std::string::npos ? "" : near->substr(comma + 1);
        const double kilometres = std::strtod(km.c_str(), &end);
        if (!centre || km.empty() || *end != '\0' || !(kilometres > 0.0) ||
            !std::isfinite(kilometres)) {
            error = "--near must be LAT,LON,KM (a distance above 0 km), not '" + *near + "'";
        } else {
            filter.near = NearFilter{*centre, kilometres};
        }
    }
    return filter;
}

// Reading a library that is not there would make an empty one; a listing says so instead.
std::optional<CastLibrary> openExisting(const Common& c, ConsolePrompter& console) {
    std::error_code ignored;
    if (!std::filesystem::exists(pathFromUtf8(c.library), ignored)) {
        console.say({"没有投放记录库" + c.library +
                         "：quorvane-cli process与library import会将投放记入其中",
                     "There is no cast library " + c.library +
                         ": quorvane-cli process and library import record casts into it"});
        return std::nullopt;
    }
    LibraryResult<CastLibrary> opened = CastLibrary::open(c.library);
    if (!opened.ok())
        console.say(opened.problem);
    return std::move(opened.value);
}

// The casts the filter keeps, or nothing with the reason said.
std::optional<std::vector<LibraryCast>> listed(const Common& c, const LibraryFilter& filter,
                                               ConsolePrompter& console) {
    std::optional<CastLibrary> library = openExisting(c, console);
    if (!library)
        return std::nullopt;
    auto casts = library->list(filter);
    if (!casts.ok())
        console.say(casts.problem);
    return std::move(casts.value);
}

std::string orDash(const std::optional<CastFacts>& facts, double CastFacts::*member) {
    return facts ? fixedDecimals((*facts).*member, 2) : std::string("-");
}

std::string positionText(const std::optional<CastPosition>& position, int decimals) {
    if (!position)
        return "-";
    return fixedDecimals(position->latitude, decimals) + "," +
           fixedDecimals(position->longitude, decimals);
}

// The file name last: it is the one column whose width has no bound.
std::string castTable(const std::vector<LibraryCast>& casts, bool en) {
    std::vector<std::vector<std::string>> rows = {
        {en ? "id" : "编号", en ? "local time" : "本地时间", en ? "position" : "位置",
         en ? "max depth (m)" : "最大深度（米）", en ? "surface (m/s)" : "表层声速（米/秒）",
         en ? "mean (m/s)" : "平均声速（米/秒）", en ? "file" : "文件"}};
    for (const LibraryCast& cast : casts) {
        rows.push_back(
            {std::to_string(cast.id), castTimeText(cast.record.localTime),
             positionText(cast.record.position, 5), orDash(cast.facts, &CastFacts::maximumDepth),
             orDash(cast.facts, &CastFacts::surfaceSoundVelocity),
             orDash(cast.facts, &CastFacts::harmonicMeanSoundVelocity), cast.record.fileName});
    }
    return tableText(rows, {true, false, false, true, true, true, false});
}

int list(const std::vector<std::string>& words) {
    const Arguments args(words, {"since", "near", "library", "lang"}, {"json"});
    std::string error = args.error();
    const std::optional<Common> c = commonOf(args, error);
    const LibraryFilter filter = filterOf(args, error);
    if (error.empty() && !args.positional().empty())
        error = "list takes no file";
    if (!error.empty())
        return refuse(error);
    ConsolePrompter console(c->english, false);
    const std::optional<std::vector<LibraryCast>> casts = listed(*c, filter, console);
    if (!casts)
        return 1;
    const std::string text = args.flag("json") ? listText(*casts, ListFormat::Json).bytes
                                               : castTable(*casts, c->english);
    std::fputs(text.c_str(), stdout);
    return 0;
}

std::string indented(const std::string& lines) {
    std::string out;
    for (size_t start = 0; start < lines.size();) {
        const size_t end = lines.find('\n', start);
        out += "  " + lines.substr(start, end + 1 - start);
        start = end + 1;
    }
    return out;
}

std::string showText(const LibraryCast& cast, bool en) {
    const CastRecord& r = cast.record;
    const std::optional<CastFacts>& f = cast.facts;
    std::string position = positionText(r.position, 7);
    if (r.position && !r.positionSource.empty())
        position += " (" + r.positionSource + ")";
    // One line of "key=value, ...": the settings are few, and a line keeps the facts together.
    std::string settings;
    for (size_t start = 0; start < r.settings.size();) {
        const size_t end = std::min(r.settings.find('\n', start), r.settings.size());
        settings += (settings.empty() ? "" : ", ") + r.settings.substr(start, end - start);
        start = end + 1;
    }
    std::vector<std::vector<std::string>> rows = {
        {en ? "File:" : "文件：", r.filePath},
        {"SHA-256:", r.contentSha256},
        {en ? "Device ID:" : "设备ID：", strformat("%08lld", (long long)r.deviceId)},
        {en ? "Local time:" : "本地时间：", castTimeText(r.localTime)},
        {"UTC:", r.utcTime ? castTimeText(*r.utcTime) : "-"},
        {en ? "Position:" : "位置：", position},
        {en ? "Records:" : "记录数：", std::to_string(r.recordCount)},
        {en ? "Settings:" : "设置：", settings},
    };
    if (f) {
        rows.push_back(
            {en ? "Maximum depth:" : "最大深度：", fixedDecimals(f->maximumDepth, 2) + " m"});
        rows.push_back({en ? "Surface sound velocity:" : "表层声速：",
                        fixedDecimals(f->surfaceSoundVelocity, 2) + " m/s"});
        rows.push_back({en ? "Harmonic mean sound velocity:" : "调和平均声速：",
                        fixedDecimals(f->harmonicMeanSoundVelocity, 2) + " m/s"});
        rows.push_back({en ? "Sound velocity range:" : "声速范围：",
                        fixedDecimals(f->minimumSoundVelocity, 2) + " - " +
                            fixedDecimals(f->maximumSoundVelocity, 2) + " m/s"});
        rows.push_back({en ? "Temperature range:" : "温度范围：",
                        fixedDecimals(f->minimumTemperature, 3) + " - " +
                            fixedDecimals(f->maximumTemperature, 3) + " °C"});
    }
    std::string text =
        strformat("%s %lld: %s\n", en ? "Cast" : "投放", (long long)cast.id, r.fileName.c_str());
    text += indented(tableText(rows, {}));
    text += en ? "Exports and sends (UTC):\n" : "导出与发送（UTC）：\n";
    std::vector<std::vector<std::string>> exports;
    for (const CastExport& e : cast.exports)
        exports.push_back({castTimeText(e.utcTime), e.kind, e.target});
    text += indented(tableText(exports, {}));
    text += en ? "Fitted profile:\n" : "拟合剖面：\n";
    std::vector<std::vector<std::string>> points = {{en ? "depth (m)" : "深度（米）",
                                                     en ? "sound velocity (m/s)" : "声速（米/秒）",
                                                     en ? "temperature (°C)" : "温度（°C）"}};
    for (const ProfilePoint& p : r.profile) {
        points.push_back({fixedDecimals(p.depth, 2), fixedDecimals(p.soundVelocity, 3),
                          fixedDecimals(p.temperature, 3)});
    }
    return text + indented(tableText(points, {true, true, true}));
}

int show(const std::vector<std::string>& words) {
    const Arguments args(words, {"library", "lang"}, {});
    std::string error = args.error();
    const std::optional<Common> c = commonOf(args, error);
    int64_t id = 0;
    if (error.empty()) {
        char* end = nullptr;
        const std::string& text = args.positional().size() == 1 ? args.positional()[0] : "";
        id = std::strtoll(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0' || id <= 0)
            error = "show takes one cast id, a whole number from library list";
    }
    if (!error.empty())
        return refuse(error);
    ConsolePrompter console(c->english, false);
    std::optional<CastLibrary> library = openExisting(*c, console);
    if (!library)
        return 1;
    const auto cast = library->show(id);
    if (!cast.ok()) {
        console.say(cast.problem);
        return 1;
    }
    std::fputs(showText(*cast.value, c->english).c_str(), stdout);
    return 0;
}

int exportCasts(const std::vector<std::string>& words) {
    const Arguments args(words,
                         {"kml", "geojson", "csv", "json", "since", "near", "library", "lang"}, {});
    std::string error = args.error();
    const std::optional<Common> c = commonOf(args, error);
    const LibraryFilter filter = filterOf(args, error);
    std::optional<ListFormat> format;
    std::string file;
    for (const char* name : {"kml", "geojson", "csv", "json"}) {
        if (const auto path = args.value(name)) {
            if (format)
                error = "give one of --kml, --geojson, --csv and --json";
            format = listFormatNamed(name);
            file = *path;
        }
    }
    if (error.empty() && !format)
        error = "give --kml FILE, --geojson FILE, --csv FILE or --json FILE";
    if (error.empty() && !args.positional().empty())
        error = "export names its file after the format: --kml FILE";
    if (!error.empty())
        return refuse(error);
    ConsolePrompter console(c->english, false);
    const std::optional<std::vector<LibraryCast>> casts = listed(*c, filter, console);
    if (!casts)
        return 1;
    const auto written = exportList(*casts, *format, file);
    if (!written.ok()) {
        console.say(written.problem);
        return 1;
    }
    const size_t count = written.value->written, left = written.value->withoutPosition;
    if (c->english) {
        std::printf("wrote %zu casts to %s", count, file.c_str());
        if (left > 0)
            std::printf("; %zu without a position left out", left);
    } else {
        std::printf("已将%zu个投放写入%s", count, file.c_str());
        if (left > 0)
            std::printf("；%zu个无位置的投放未写入", left);
    }
    std::printf("\n");
    return 0;
}

bool isRawCastName(const std::filesystem::path& path) {
    const std::string extension = extensionOf(utf8OfPath(path.filename()));
    return extension == "bin" || extension == "BIN";
}

int import(const std::vector<std::string>& words) {
    const Arguments args(words, {"utc-offset", "library", "lang"}, {});
    std::string error = args.error();
    const std::optional<Common> c = commonOf(args, error);
    std::optional<double> offset;
    if (const auto text = args.value("utc-offset")) {
        offset = parseUtcOffset(*text);
        if (!offset)
            error = "--utc-offset must be hours from -14 to 14, not '" + *text + "'";
    }
    if (error.empty() && args.positional().size() != 1)
        error = "import takes one folder";
    if (!error.empty())
        return refuse(error);
    ConsolePrompter console(c->english, false);
    const std::filesystem::path folder = pathFromUtf8(args.positional()[0]);
    std::vector<std::filesystem::path> casts;
    std::error_code failed;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, failed);
         !failed && it != std::filesystem::recursive_directory_iterator(); it.increment(failed)) {
        if (it->is_regular_file(failed) && isRawCastName(it->path()))
            casts.push_back(it->path());
    }
    if (failed) {
        console.say(
            {"无法读取文件夹" + args.positional()[0] + "：" + failed.message(),
             "The folder " + args.positional()[0] + " cannot be read: " + failed.message()});
        return 1;
    }
    std::sort(casts.begin(), casts.end());
    LibraryRecorder recorder(c->library, [&console](const Text& text) { console.say(text); });
    size_t recorded = 0, updated = 0, refused = 0;
    for (const std::filesystem::path& file : casts) {
        const std::string path = utf8OfPath(file);
        std::vector<Message> messages;
        std::optional<ProcessedCast> found = castOnDisk(path, messages);
        // A folder's worth of casts: each message names its file, as the instrument's texts
        // do not all.
        for (const Message& m : messages)
            console.say({path + "：" + m.text.zh, path + ": " + m.text.en});
        if (!found) {
            ++refused;
            continue;
        }
        ProcessedCast& cast = *found;
        if (cast.localTime) {
            cast.utcTime =
                toUtc(*cast.localTime, offset ? *offset : pcUtcOffsetHours(*cast.localTime));
        }
        const RecordOutcome outcome = recorder.record(cast, {}, true);
        recorded += outcome == RecordOutcome::Recorded;
        updated += outcome == RecordOutcome::Updated;
        refused += outcome == RecordOutcome::Failed;
        if (recorder.failed())
            return 1;
    }
    if (c->english) {
        std::printf("%zu raw casts under %s: %zu recorded, %zu updated, %zu refused\n",
                    casts.size(), args.positional()[0].c_str(), recorded, updated, refused);
    } else {
        std::printf("%s下共%zu个原始数据文件：新记录%zu个，更新%zu个，未能记录%zu个\n",
                    args.positional()[0].c_str(), casts.size(), recorded, updated, refused);
    }
    return refused == 0 ? 0 : 1;
}

}  // namespace

std::string libraryUsage() {
    return "usage: quorvane-cli library list [--since DATE] [--near LAT,LON,KM] [--json]\n"
           "       quorvane-cli library show ID\n"
           "       quorvane-cli library export --kml|--geojson|--csv|--json FILE [--since DATE]\n"
           "           [--near LAT,LON,KM]\n"
           "       quorvane-cli library import DIR [--utc-offset H]\n"
           "           each also [--library FILE] [--lang en|zh]\n"
           "  The cast library: every cast quorvane-cli process has processed in the current\n"
           "  folder, kept in Data/quorvane.sqlite (--library FILE: another). list prints one\n"
           "  line a cast, oldest first (--json: every fact, for scripts); show one cast with\n"
           "  its settings, exports and fitted profile; export writes the casts for Google\n"
           "  Earth (KML), a GIS (GeoJSON) or a spreadsheet (CSV). --since DATE (YYYY-MM-DD or\n"
           "  \"YYYY-MM-DD HH:MM:SS\") keeps the casts at or after that local time, --near the\n"
           "  ones within KM kilometres of LAT,LON. import records every raw cast (*.bin) under\n"
           "  DIR as process would, writing no files; the UTC time takes --utc-offset H, else\n"
           "  this PC's offset.\n";
}

int runLibrary(const std::vector<std::string>& words) {
    if (words.empty())
        return refuse("give list, show, export or import");
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    if (words[0] == "list")
        return list(rest);
    if (words[0] == "show")
        return show(rest);
    if (words[0] == "export")
        return exportCasts(rest);
    if (words[0] == "import")
        return import(rest);
    return refuse("give list, show, export or import, not '" + words[0] + "'");
}

}  // namespace quorvane::cli
