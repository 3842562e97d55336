#include "soak/soak_run.h"

#include <map>

#include "common/file_io.h"
#include "device/link/serial_port_factory.h"
#include "device/link/system_clock.h"
#include "device/operations/connect_sequence.h"
#include "device/operations/device_file_list.h"
#include "device/operations/download_start.h"
#include "device/operations/output_naming.h"
#include "device/operations/unattended_window.h"
#include "simulator/cast_store.h"
#include "simulator/device_clock.h"
#include "simulator/virtual_profiler.h"
#include "soak/soak_check.h"

namespace quorvane::soak {
namespace {

namespace fs = std::filesystem;

// The window's part: every box answered as a user in a hurry would, each file's end kept.
// The worker calls in from its thread; the results are read after it has been joined.
class Unattended : public UnattendedWindow {
  public:
    void downloadFinished(const FileDownload& file) override { finished[file.name] = file; }

    std::map<std::string, FileDownload> finished;
};

std::string slurp(const fs::path& path) {
    std::string bytes;
    const FileHandle file = openFile(utf8OfPath(path), "rb");
    char chunk[65536];
    size_t n = 0;
    while (file && (n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        bytes.append(chunk, n);
    }
    return bytes;
}

bool writeCard(const SoakPlan& plan, const fs::path& card) {
    const sim::CastStore store(card.string());
    if (!store.prepare()) {
        return false;
    }
    for (size_t i = 0; i < plan.casts.size(); ++i) {
        // A second apart, so each file gets a name of its own date as well.
        const std::time_t stamp = sim::localTimeOf(2014, 3, 5, 10, 20, 30 + int(i));
        if (!store.write(plan.casts[i].name, plan.casts[i].bytes, stamp)) {
            return false;
        }
    }
    return true;
}

// A user whose connect fails (a stalled or confused device) presses Connect again.
bool connectAndList(DeviceSession& session, const std::string& slave) {
    const PortLister onePort = onlyPort(slave);
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (OnConnect(session, onePort) == ConnectOutcome::Complete &&
            OnFileList(session) == FileListOutcome::Listed) {
            return true;
        }
    }
    return false;
}

// Everything under the working folder must be Data, Data/<id> or a file the download
// reported as its own, directly in Data/<id>.
void checkWorkFolder(const fs::path& work, const fs::path& data,
                     const std::map<std::string, FileDownload>& finished, RunResult& result) {
    std::vector<fs::path> made;
    for (const auto& [name, file] : finished) {
        if (!file.path.empty()) {
            made.push_back(pathFromUtf8(file.path).lexically_normal());
        }
    }
    for (const auto& entry : fs::recursive_directory_iterator(work)) {
        const fs::path path = entry.path().lexically_normal();
        const bool allowedFolder = entry.is_directory() && (path == work / "Data" || path == data);
        const bool reportedFile = entry.is_regular_file() && path.parent_path() == data &&
                                  std::find(made.begin(), made.end(), path) != made.end();
        if (!allowedFolder && !reportedFile) {
            result.violations.push_back("unexpected " + path.string());
        }
    }
}

void checkFiles(const SoakPlan& plan, const Unattended& window, const DownloadSummary& summary,
                RunResult& result) {
    for (const SoakCast& cast : plan.casts) {
        const auto found = window.finished.find(cast.name);
        if (found == window.finished.end() || found->second.path.empty()) {
            result.notes.push_back(cast.name + " not downloaded");
            continue;
        }
        const FileDownload& file = found->second;
        const FileVerdict verdict = compareWithCard(slurp(pathFromUtf8(file.path)), cast.bytes);
        const std::string what =
            cast.name + " " + verdictName(verdict) + " (\"" + file.status.en + "\")";
        if (verdict != FileVerdict::Intact && !file.damaged()) {
            result.violations.push_back(what + " but reported whole");
        } else if (verdict == FileVerdict::Corrupt && plan.recoverable) {
            // Under faults the rules undo, no byte the device's file does not hold.
            result.violations.push_back(what);
        } else if (verdict != FileVerdict::Intact) {
            result.notes.push_back(what);
        }
        if (verdict == FileVerdict::Intact && !file.damaged()) {
            ++result.intact;
        }
    }
    if (summary.saved != result.intact) {
        result.violations.push_back("download claims " + std::to_string(summary.saved) +
                                    " saved, " + std::to_string(result.intact) + " intact");
    }
}

}  // namespace

RunResult runOnce(const SoakPlan& plan, const fs::path& folder, std::chrono::seconds limit,
                  Watchdog& watchdog) {
    RunResult result;
    result.files = int(plan.casts.size());
    fs::remove_all(folder);
    const fs::path card = folder / "card";
    const fs::path work = folder / "work";
    fs::create_directories(work);
    sim::ProfilerOptions options;
    options.storageDir = card.string();
    options.casts = 0;
    options.baud = 0;
    options.faultSeed = plan.seed;
    for (const std::string& text : plan.faults) {
        const sim::FaultParse parsed = sim::parseFaultRule(text);
        if (!parsed.rule) {
            result.violations.push_back("plan: " + parsed.error);
            return result;
        }
        options.faults.push_back(*parsed.rule);
    }
    sim::VirtualProfiler profiler(options);
    std::string error;
    if (!writeCard(plan, card) || !profiler.start(&error)) {
        result.violations.push_back("cannot start the virtual profiler: " + error);
        return result;
    }

    // The system's port, so that QUORVANE_SERIAL_LOG records a failing run's traffic.
    const std::unique_ptr<SerialPort> port = makeSystemSerialPort();
    SystemClock clock;
    Unattended window;
    DownloadSummary summary;
    {
        DeviceSession session(*port, clock, window, window, window);
        session.setWorkingFolder(work);
        if (!connectAndList(session, profiler.slavePath())) {
            result.notes.push_back("no connect in five attempts");
            return result;
        }
        std::vector<int> all(session.rows().size());
        for (size_t i = 0; i < all.size(); ++i) {
            all[i] = int(i);
        }
        SelectedRows rows(session.rows(), all);
        if (!OnExportFile(session, rows)) {
            result.violations.push_back("export refused");
            return result;
        }
        watchdog.arm(limit, [&session] { session.requestStop(); });
        summary = session.waitForDownload().value_or(DownloadSummary{});
        result.hung = watchdog.disarm();
        if (session.busy()) {
            result.violations.push_back("busy flag left set");
        }
        const fs::path data = deviceDataFolder(work, session.values().deviceId);
        checkFiles(plan, window, summary, result);
        checkWorkFolder(work, data.lexically_normal(), window.finished, result);
        session.shutdown();
        if (port->isOpen()) {
            result.violations.push_back("port left open");
        }
    }
    if (summary.linkLost) {
        result.notes.push_back("link lost");
    }
    profiler.stop();
    return result;
}

}  // namespace quorvane::soak
