// The device window on the system's serial ports, as a surveyor uses it, for the Windows check:
// connects to the first port that answers, reads the file list, downloads every file into the
// current folder and prints each message box it read (UTF-8). The boxes are the window's own,
// each read for a while before its default button is pressed; the check compares the files
// with the profiler's card. Given a picture file, the window is saved there at the end.
//   quorvane-device-com-check [1] [PICTURE.png]   1: English, as the program's own argument
#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <cstdio>
#include <filesystem>

#include "common/qt/app_start.h"
#include "common/qt/testing/box_reader.h"
#include "device/link/port_list.h"
#include "device/link/serial_port_factory.h"
#include "device/link/system_clock.h"
#include "device/window/device_window.h"
#include "device/window/device_window_ids.h"

namespace {

using namespace quorvane;

// How long a person reads a box before answering it.
constexpr int kReadingMs = 500;
// The longest a download of the check's casts may take under Wine.
constexpr int kDownloadLimitMs = 120000;

void click(DeviceWindow& window, int id) {
    qobject_cast<QPushButton*>(window.control(id))->click();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Qt's arguments, not argv: on Windows argv is in the code page.
    const QStringList arguments = QCoreApplication::arguments();
    const bool english = arguments.value(1) == "1";
    const QString picture = arguments.value(english ? 2 : 1);
    TemplateCaptions captions;
    if (!startUi(english, "Duvrelan", captions)) {
        return 1;
    }
    SystemClock clock;
    const std::unique_ptr<SerialPort> port = makeSystemSerialPort();
    DeviceWindow window(captions, *port, clock, EnumerateSerialPorts,
                        std::filesystem::current_path());
    window.show();
    const BoxReader reader(kReadingMs, [](const QString& text) {
        std::printf("box: %s\n", text.toUtf8().constData());
        std::fflush(stdout);
    });

    click(window, deviceids::kConnectButton);
    if (!window.session().connected()) {
        std::puts("check: no port answered");
        return 1;
    }
    click(window, deviceids::kFileListButton);
    window.fileList()->selectAll();
    click(window, deviceids::kExportButton);
    if (!QTest::qWaitFor([&] { return !window.session().downloadRunning(); }, kDownloadLimitMs)) {
        std::puts("check: the download did not end");
        return 1;
    }
    // The last box is still being read when the worker is taken home.
    QTest::qWait(2 * kReadingMs);
    if (!picture.isEmpty() && !window.grab().save(picture)) {
        std::printf("check: cannot write %s\n", picture.toUtf8().constData());
        return 1;
    }
    std::printf("check: %d files listed, %lld boxes read\n", int(window.fileList()->rowCount()),
                static_cast<long long>(reader.read.size()));
    return 0;
}
