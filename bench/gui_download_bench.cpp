// A cast downloaded through the device window (offscreen) from the paced virtual profiler at
// 921600 baud: how close the window's download comes to the wire's stop-and-wait limit, and
// how much CPU the window process burns meanwhile, the profiler's own thread left out.
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

#include "bench/bench_figures.h"
#include "bench/deep_cast_card.h"
#include "common/qt/app_start.h"
#include "device/link/posix_serial_port.h"
#include "device/link/system_clock.h"
#include "device/window/device_window.h"
#include "device/window/device_window_ids.h"
#include "simulator/virtual_profiler.h"

namespace quorvane::bench {
namespace {

namespace fs = std::filesystem;

std::set<std::string> threadIds() {
    std::set<std::string> ids;
    for (const auto& entry : fs::directory_iterator("/proc/self/task")) {
        ids.insert(entry.path().filename().string());
    }
    return ids;
}

// User and system time of one thread of this process, from the kernel's accounting.
double threadCpuSeconds(const std::string& id) {
    std::ifstream stat("/proc/self/task/" + id + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), {});
    // Fields after the parenthesised name; utime and stime are the 12th and 13th of them.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int i = 1; i <= 13 && fields >> field; ++i) {
        if (i >= 12) {
            ticks += std::stod(field);
        }
    }
    return ticks / double(sysconf(_SC_CLK_TCK));
}

double processCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

constexpr std::chrono::seconds kGiveUp{120};

int run() {
    const DeepCastCard card = makeDeepCastCard("quorvane-gui-download-bench");
    const fs::path& dir = card.folder;
    const std::vector<uint8_t>& bytes = card.cast;
    sim::VirtualProfiler profiler(card.options);
    const std::set<std::string> before = threadIds();
    std::string error;
    if (!profiler.start(&error)) {
        std::fprintf(stderr, "cannot start the virtual profiler: %s\n", error.c_str());
        return 1;
    }
    std::set<std::string> profilerThreads;
    for (const std::string& id : threadIds()) {
        if (!before.count(id)) {
            profilerThreads.insert(id);
        }
    }
    const auto profilerCpu = [&] {
        double seconds = 0;
        for (const std::string& id : profilerThreads) {
            seconds += threadCpuSeconds(id);
        }
        return seconds;
    };

    TemplateCaptions chinese;
    PosixSerialPort port;
    SystemClock clock;
    UnattendedPrompter boxes;
    DeviceWindow window(chinese, port, clock, onlyPort(profiler.slavePath()), dir);
    window.setPrompter(&boxes);
    window.show();
    const auto click = [&](int id) { qobject_cast<QPushButton*>(window.control(id))->click(); };
    click(deviceids::kConnectButton);
    click(deviceids::kFileListButton);
    if (window.fileList()->rowCount() != 1) {
        std::fprintf(stderr, "cannot connect to the virtual profiler and list its files\n");
        return 1;
    }
    window.fileList()->selectRow(0);

    const uint64_t sentBefore = profiler.counters().bytesSent;
    const double cpuBefore = processCpuSeconds() - profilerCpu();
    const auto start = std::chrono::steady_clock::now();
    click(deviceids::kExportButton);
    // The window's own event loop, as in the program, looked in on now and then for the end.
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (!window.session().busy() || std::chrono::steady_clock::now() - start > kGiveUp) {
            loop.quit();
        }
    });
    look.start(20);
    loop.exec();
    const bool done = !window.session().busy();
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = processCpuSeconds() - profilerCpu() - cpuBefore;
    const uint64_t sent = profiler.counters().bytesSent - sentBefore;
    window.close();
    profiler.stop();

    const fs::path saved = dir / "Data" / "12345678";
    if (!done || fs::is_empty(saved)) {
        std::fprintf(stderr, "the download through the window failed\n");
        return 1;
    }
    // Stop-and-wait limit: the line busy with the device's bytes all the time, each answer
    // following its request at once. The wire carries 10 bits a byte.
    const double wireSeconds = double(sent) * 10.0 / card.options.baud;
    std::printf(
        "window downloaded %zu bytes in %.3f s; device sent %llu bytes, %.3f s on the wire; "
        "window process CPU %.3f s\n",
        bytes.size(), wall, static_cast<unsigned long long>(sent), wireSeconds, cpu);
    printFigure("gui_download_vs_wire_ratio", wireSeconds / wall, "%.3f");
    printFigure("gui_download_cpu_per_wall", cpu / wall, "%.3f");
    fs::remove_all(dir);
    return 0;
}

}  // namespace
}  // namespace quorvane::bench

int main(int argc, char** argv) {
    quorvane::paintOffscreenUnlessChosen();
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    return quorvane::bench::run();
}
