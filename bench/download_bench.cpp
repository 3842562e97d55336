// A cast downloaded from the paced virtual profiler at 921600 baud: how close the download
// comes to the wire's stop-and-wait limit, and how much CPU the downloader burns meanwhile.
#include <time.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "bench/bench_figures.h"
#include "bench/deep_cast_card.h"
#include "device/link/posix_serial_port.h"
#include "device/link/system_clock.h"
#include "device/operations/connect_sequence.h"
#include "device/operations/device_file_list.h"
#include "device/operations/download_worker.h"
#include "device/operations/output_naming.h"
#include "device/operations/unattended_window.h"
#include "simulator/virtual_profiler.h"

namespace quorvane::bench {
namespace {

namespace fs = std::filesystem;

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

int run() {
    const DeepCastCard card = makeDeepCastCard("quorvane-download-bench");
    const fs::path& dir = card.folder;
    const std::vector<uint8_t>& bytes = card.cast;
    sim::VirtualProfiler profiler(card.options);
    std::string error;
    if (!profiler.start(&error)) {
        std::fprintf(stderr, "cannot start the virtual profiler: %s\n", error.c_str());
        return 1;
    }

    PosixSerialPort port;
    SystemClock clock;
    UnattendedWindow window;
    DeviceSession session(port, clock, window, window, window);
    session.setWorkingFolder(dir);
    if (OnConnect(session, onlyPort(profiler.slavePath())) != ConnectOutcome::Complete ||
        OnFileList(session) != FileListOutcome::Listed || session.rows().empty()) {
        std::fprintf(stderr, "cannot connect to the virtual profiler and list its files\n");
        return 1;
    }

    SelectedRows selection(session.rows(), {0});
    std::atomic<bool> stop = false;
    session.busy() = true;
    const DownloadJob job{session.channel(), selection,
                          deviceDataFolder(dir, session.values().deviceId), session.busy(), stop};
    const uint64_t sentBefore = profiler.counters().bytesSent;
    const double cpuBefore = threadCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    const DownloadSummary summary = DownloadWorker(job);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = threadCpuSeconds() - cpuBefore;
    const uint64_t sent = profiler.counters().bytesSent - sentBefore;
    profiler.stop();

    if (summary.saved != 1) {
        std::fprintf(stderr, "the download failed\n");
        return 1;
    }
    // Stop-and-wait limit: the line busy with the device's bytes all the time, each answer
    // following its request at once. The wire carries 10 bits a byte.
    const double wireSeconds = double(sent) * 10.0 / card.options.baud;
    std::printf(
        "downloaded %zu bytes in %.3f s (%.0f B/s); device sent %llu bytes, %.3f s on "
        "the wire; downloader CPU %.3f s\n",
        bytes.size(), wall, double(bytes.size()) / wall, static_cast<unsigned long long>(sent),
        wireSeconds, cpu);
    printFigure("download_vs_wire_ratio", wireSeconds / wall, "%.3f");
    printFigure("download_cpu_per_wall", cpu / wall, "%.3f");
    fs::remove_all(dir);
    return 0;
}

}  // namespace
}  // namespace quorvane::bench

int main() {
    return quorvane::bench::run();
}
