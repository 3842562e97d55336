#include "cli/device_command.h"
#include "cli/cast_recorder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>

#include "cli/console_prompter.h"
#include "cli/device_console.h"
#include "common/arguments.h"
#include "common/parse_number.h"
#include "common/utf8_text.h"
#include "device/link/port_list.h"
#include "device/link/serial_port_factory.h"
#include "device/link/system_clock.h"
#include "device/operations/connect_sequence.h"
#include "device/operations/delete_files.h"
#include "device/operations/device_file_list.h"
#include "device/operations/device_settings.h"
#include "device/operations/display_rules.h"
#include "device/operations/download_start.h"
#include "device/operations/output_naming.h"
#include "device/protocol/leading_number.h"

namespace quorvane::cli {

const char* const kDeviceUsage =
    "usage: quorvane-cli device [--port PATH] [--lang en|zh] [--yes] OPERATION\n"
    "  OPERATION: info | list | download (--all | --new | N...) | delete N... | clear |\n"
    "             set --density G --latitude DEG --interval M [--set-clock] | time\n"
    "  Connects to the profiler (probing every serial port as the device program does, or\n"
    "  only PATH), then runs the operation. N is a row position as 'list' prints it first\n"
    "  (the device's file index, from 0). Downloads go to Data/<device ID> under the current\n"
    "  folder; --new takes every file not yet there (same date, time and name, and the\n"
    "  size the list shows). Status texts go to stderr, results to stdout, one line per\n"
    "  downloaded file; a file received damaged makes the run fail. Delete and clear ask\n"
    "  first unless --yes is given. A failed run ends with the operating system's reason\n"
    "  for the last serial port call that failed, if one did.\n";

namespace {

const std::set<std::string> kOperations = {"info",  "list", "download", "delete",
                                           "clear", "set",  "time"};

struct DeviceRequest {
    std::string operation;
    std::optional<std::string> port;
    bool english = true;
    bool yes = false;
    bool all = false;
    bool onlyNew = false;
    bool setClock = false;
    std::vector<int> rows;
    DeviceSettings settings;
};

std::optional<int> rowNumber(const std::string& text) {
    const std::optional<double> number = parseNumber(text);
    if (!number || *number < 0 || *number > 1e9 || *number != double(int(*number))) {
        return std::nullopt;
    }
    return int(*number);
}

std::optional<DeviceRequest> parseRequest(const Arguments& args, std::string& error) {
    DeviceRequest r;
    const std::vector<std::string>& words = args.positional();
    if (words.empty() || kOperations.count(words[0]) == 0) {
        error = words.empty() ? "no operation given" : "unknown operation '" + words[0] + "'";
        return std::nullopt;
    }
    r.operation = words[0];
    r.port = args.value("port");
    const std::string lang = args.value("lang").value_or("en");
    if (lang != "en" && lang != "zh") {
        error = "--lang must be en or zh";
        return std::nullopt;
    }
    r.english = lang == "en";
    r.yes = args.flag("yes");
    r.all = args.flag("all");
    r.onlyNew = args.flag("new");
    r.setClock = args.flag("set-clock");
    for (size_t i = 1; i < words.size(); ++i) {
        const std::optional<int> row = rowNumber(words[i]);
        if (!row) {
            error = "'" + words[i] + "' is not a row number";
            return std::nullopt;
        }
        r.rows.push_back(*row);
    }
    const bool takesRows = r.operation == "download" || r.operation == "delete";
    if (!takesRows && !r.rows.empty()) {
        error = r.operation + " takes no row numbers";
    } else if ((r.all || r.onlyNew) && r.operation != "download") {
        error = "--all and --new are for download";
    } else if (r.operation == "download" &&
               int(r.all) + int(r.onlyNew) + int(!r.rows.empty()) != 1) {
        error = "download takes one of --all, --new or row numbers";
    } else if (r.operation == "delete" && r.rows.empty()) {
        error = "delete needs row numbers";
    } else if (r.operation == "set") {
        const auto density = args.number("density", error);
        const auto latitude = args.number("latitude", error);
        const auto interval = args.number("interval", error);
        if (error.empty() && (!density || !latitude || !interval)) {
            error = "set needs --density, --latitude and --interval";
        } else if (error.empty()) {
            r.settings = {*density, *latitude, *interval};
        }
    }
    if (!error.empty()) {
        return std::nullopt;
    }
    return r;
}

std::string number(double value, int decimals) {
    std::string text = formatFixed(value, decimals);
    while (text.find('.') != std::string::npos && (text.back() == '0' || text.back() == '.')) {
        text.pop_back();
    }
    return text;
}

void printInfo(DeviceSession& session, bool english) {
    const DeviceValues& v = session.values();
    const DeviceReadout& readout = session.readout();
    std::printf("Device ID: %s\n", printableText(v.deviceId).c_str());
    std::printf("Firmware version: %s\n", printableText(v.firmwareVersion).c_str());
    std::printf("Voltage: %s\n",
                readout.voltage ? (readout.voltage->shown + " V").c_str() : "(not read)");
    std::printf("Density: %s g/cm3\n", number(v.density, 6).c_str());
    std::printf("Latitude: %s\n", number(v.latitude, 6).c_str());
    std::printf("Depth interval: %s m\n", number(v.depthInterval, 6).c_str());
    std::printf("Memory free: %s\n", FormatMemorySize(v.freeMemory).c_str());
    std::printf("Memory used: %s\n", FormatMemorySize(v.usedMemory).c_str());
    std::printf("Memory total: %s\n", FormatMemorySize(v.totalMemory).c_str());
    std::printf("State: %s\n", readout.workState
                                   ? workStateText(*readout.workState).pick(english).c_str()
                                   : "(not read)");
}

void printRows(const std::vector<FileRow>& rows) {
    for (size_t i = 0; i < rows.size(); ++i) {
        const FileRow& row = rows[i];
        if (row.placeholder) {
            std::printf("%d\t?\t(unreadable entry)\t\t\n", int(i));
        } else {
            std::printf("%d\t%s\t%s\t%s\t%s\n", int(i), printableText(row.number).c_str(),
                        printableText(row.name).c_str(), printableText(row.size).c_str(),
                        row.date.c_str());
        }
    }
}

bool listed(DeviceSession& session) {
    const FileListOutcome outcome = OnFileList(session);
    return outcome == FileListOutcome::Listed || outcome == FileListOutcome::NoFiles;
}

// Whether the cast of a row is already in the folder: a file under the name its download
// would get (or one of its numbered copies) with the size the list shows.
bool alreadyDownloaded(const std::filesystem::path& folder, const FileRow& row) {
    const std::optional<uint64_t> size = listedFileSize(row);
    if (!size) {
        return false;
    }
    const std::string date = dateTextForFileName(row.date);
    for (int attempt = 0;; ++attempt) {
        const std::filesystem::path path =
            folder / pathFromUtf8(outputFileName(date, row.name, attempt));
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error)) {
            return false;
        }
        if (std::filesystem::file_size(path, error) == *size && !error) {
            return true;
        }
    }
}

// Reads the file list, then the rows the operation works on: every readable one (with --new
// those not downloaded yet), or those asked for if the list holds them.
std::optional<std::vector<int>> chosenRows(DeviceSession& session, const DeviceRequest& r) {
    if (!listed(session)) {
        return std::nullopt;
    }
    const std::vector<FileRow>& rows = session.rows();
    if (!r.all && !r.onlyNew) {
        for (int row : r.rows) {
            if (size_t(row) >= rows.size()) {
                std::fprintf(stderr, "quorvane-cli device: the device lists no row %d\n", row);
                return std::nullopt;
            }
        }
        return r.rows;
    }
    const std::filesystem::path folder =
        deviceDataFolder(session.workingFolder(), session.values().deviceId);
    std::vector<int> all;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].placeholder) {
            continue;
        }
        if (r.onlyNew && alreadyDownloaded(folder, rows[i])) {
            std::printf("%s: already in %s\n", printableText(rows[i].name).c_str(),
                        utf8OfPath(folder).c_str());
            continue;
        }
        all.push_back(int(i));
    }
    return all;
}

bool download(DeviceSession& session, const DeviceRequest& r) {
    const std::optional<std::vector<int>> chosen = chosenRows(session, r);
    if (!chosen) {
        return false;
    }
    if (chosen->empty()) {
        std::printf("no files to download\n");
        return true;
    }
    SelectedRows rows(session.rows(), *chosen);
    if (!OnExportFile(session, rows)) {
        return false;
    }
    const DownloadSummary summary = session.waitForDownload().value_or(DownloadSummary{});
    std::printf(
        "%d of %d file(s) saved in %s\n", summary.saved, int(chosen->size()),
        utf8OfPath(deviceDataFolder(session.workingFolder(), session.values().deviceId)).c_str());
    return summary.result == 1 && summary.failed == 0 && !summary.linkLost && !summary.stopped;
}

bool remove(DeviceSession& session, const DeviceRequest& r) {
    const std::optional<std::vector<int>> chosen = chosenRows(session, r);
    if (!chosen) {
        return false;
    }
    SelectedRows rows(session.rows(), *chosen);
    const DeleteOutcome outcome = OnDeleteFiles(session, rows);
    return outcome.ran && outcome.failed == 0;
}

bool runOperation(DeviceSession& session, const DeviceRequest& r, ConnectOutcome connected) {
    if (r.operation == "info") {
        printInfo(session, r.english);
        return connected == ConnectOutcome::Complete;
    }
    if (r.operation == "list") {
        const bool ok = listed(session);
        printRows(session.rows());
        return ok;
    }
    if (r.operation == "download") {
        return download(session, r);
    }
    if (r.operation == "delete") {
        return remove(session, r);
    }
    if (r.operation == "clear") {
        return OnClearMemory(session) == ClearOutcome::Cleared;
    }
    if (r.operation == "set") {
        return OnSetParameters(session, r.settings) == SetOutcome::Succeeded;
    }
    const std::optional<LocalDateTime> time = OnReadTime(session);
    if (time) {
        std::printf("%s\n", dateTimeText(*time).c_str());
    }
    return time.has_value();
}

}  // namespace

int runDevice(const std::vector<std::string>& words) {
    const Arguments args(words, {"port", "lang", "density", "latitude", "interval"},
                         {"yes", "all", "new", "set-clock"});
    std::string error = args.error();
    std::optional<DeviceRequest> request;
    if (error.empty()) {
        request = parseRequest(args, error);
    }
    if (!request) {
        std::fprintf(stderr, "quorvane-cli device: %s\n%s", error.c_str(), kDeviceUsage);
        return 2;
    }
    ConsolePrompter console(request->english, request->yes);
    DeviceConsole panes(request->english);
    DevicePrompter prompter(console, panes, request->setClock);
    // Outlives the session, whose download worker records into it.
    const std::unique_ptr<CastRecorder> recorder =
        request->operation == "download" ? workingFolderRecorder(console) : nullptr;
    panes.keepDownloads(recorder.get());
    const std::unique_ptr<SerialPort> port = makeSystemSerialPort();
    SystemClock clock;
    DeviceSession session(*port, clock, panes, prompter, panes);
    const PortLister ports = request->port ? onlyPort(*request->port) : EnumerateSerialPorts;
    const ConnectOutcome connected = OnConnect(session, ports);
    const bool ok = session.connected() && runOperation(session, *request, connected);
    session.shutdown();
    panes.flush();
    // The device program's own messages say what failed; the operating system's reason, why.
    if (!ok && !port->lastError().empty()) {
        std::fprintf(stderr, "quorvane-cli device: serial port: %s\n", port->lastError().c_str());
    }
    return ok ? 0 : 1;
}

}  // namespace quorvane::cli
