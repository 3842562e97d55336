// Pictures of the device window for the README: offscreen, connected to the virtual profiler,
// its file list read, once with a download of three casts under way and once after a download
// that could not be whole, in each language.
#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/qt/app_start.h"
#include "device/link/posix_serial_port.h"
#include "device/link/system_clock.h"
#include "device/window/device_status_bar.h"
#include "device/window/device_window.h"
#include "device/window/device_window_ids.h"
#include "simulator/fault_plan.h"
#include "simulator/virtual_profiler.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

// The window against a profiler showing `faults`, `rows` chosen and downloading; the picture
// is taken once `ready` holds.
bool capture(bool english, const std::vector<std::string>& faults, const std::vector<int>& rows,
             const std::function<bool(DeviceWindow&)>& ready, const fs::path& picture) {
    const fs::path folder = fs::temp_directory_path() / "quorvane-device-screenshots";
    fs::remove_all(folder);
    fs::create_directories(folder / "work");
    sim::ProfilerOptions options;
    options.storageDir = (folder / "card").string();
    options.casts = 6;
    options.castSeed = 7;
    for (const std::string& fault : faults) {
        options.faults.push_back(*sim::parseFaultRule(fault).rule);
    }
    sim::VirtualProfiler profiler(options);
    std::string error;
    if (!profiler.start(&error)) {
        std::fprintf(stderr, "cannot start the virtual profiler: %s\n", error.c_str());
        return false;
    }
    TemplateCaptions captions;
    if (english && !captions.loadLibrary("Duvrelan", QCoreApplication::applicationDirPath())) {
        std::fprintf(stderr, "cannot load Duvrelan\n");
        return false;
    }
    PosixSerialPort port;
    SystemClock clock;
    UnattendedPrompter boxes;
    DeviceWindow window(captions, port, clock, onlyPort(profiler.slavePath()), folder / "work");
    window.setPrompter(&boxes);
    window.show();
    const auto click = [&](int id) { qobject_cast<QPushButton*>(window.control(id))->click(); };
    click(deviceids::kConnectButton);
    click(deviceids::kFileListButton);
    QTableWidget* list = window.fileList();
    for (int row : rows) {
        list->selectionModel()->select(list->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    click(deviceids::kExportButton);
    const bool shown = QTest::qWaitFor([&] { return ready(window); }, 60000);
    const bool saved = shown && window.grab().save(QString::fromStdString(picture.string()));
    window.close();
    profiler.stop();
    fs::remove_all(folder);
    if (!saved) {
        std::fprintf(stderr, "no picture of the download written to %s\n", picture.c_str());
    }
    return saved;
}

bool captureLanguage(bool english, const fs::path& folder) {
    const std::string language = english ? "en" : "zh";
    // Some way into the second of the three files.
    const auto underWay = [](DeviceWindow& window) {
        return window.deviceStatusBar()->selectionBar()->value() > 4500;
    };
    // Block 2 never comes: the cast is kept with a hole of zeros, and its result says so.
    const auto damaged = [](DeviceWindow& window) { return !window.session().downloadRunning(); };
    return capture(english, {}, {1, 2, 4}, underWay,
                   folder / ("quorvanedevice-" + language + ".png")) &&
           capture(english, {"mute@2"}, {1}, damaged,
                   folder / ("quorvanedevice-" + language + "-damaged.png"));
}

}  // namespace
}  // namespace quorvane

int main(int argc, char** argv) {
    quorvane::paintOffscreenUnlessChosen();
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const bool ok =
        quorvane::captureLanguage(false, folder) && quorvane::captureLanguage(true, folder);
    return ok ? 0 : 1;
}
