// Pictures of the device window for the README: offscreen, connected to the virtual profiler,
// its file list read and a download of three casts under way, once in each language.
#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <clocale>
#include <cstdio>
#include <filesystem>

#include "device/link/posix_serial_port.h"
#include "device/link/system_clock.h"
#include "device/window/device_status_bar.h"
#include "device/window/device_window.h"
#include "device/window/device_window_ids.h"
#include "simulator/virtual_profiler.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

bool capture(bool english, const fs::path& picture) {
    const fs::path folder = fs::temp_directory_path() / "quorvane-device-screenshots";
    fs::remove_all(folder);
    fs::create_directories(folder / "work");
    sim::ProfilerOptions options;
    options.storageDir = (folder / "card").string();
    options.casts = 6;
    options.castSeed = 7;
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
    for (int row : {1, 2, 4}) {
        list->selectionModel()->select(list->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    click(deviceids::kExportButton);
    // Some way into the second of the three files.
    const bool underWay = QTest::qWaitFor(
        [&] { return window.deviceStatusBar()->selectionBar()->value() > 4500; }, 60000);
    const bool saved = underWay && window.grab().save(QString::fromStdString(picture.string()));
    window.close();
    profiler.stop();
    fs::remove_all(folder);
    if (!saved) {
        std::fprintf(stderr, "no picture of the download written to %s\n", picture.c_str());
    }
    return saved;
}

}  // namespace
}  // namespace quorvane

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const bool ok = quorvane::capture(false, folder / "quorvanedevice-zh.png") &&
                    quorvane::capture(true, folder / "quorvanedevice-en.png");
    return ok ? 0 : 1;
}
