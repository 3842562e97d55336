#include <QApplication>
#include <QMessageBox>
#include <QPixmap>

#include "common/qt/app_start.h"
#include "common/qt/artwork.h"
#include "device/link/port_list.h"
#include "device/link/serial_port_factory.h"
#include "device/link/system_clock.h"
#include "device/window/device_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(
        QPixmap::fromImage(quorvane::drawProgramIcon(quorvane::SuiteProgram::Device, 64)));
    quorvane::TemplateCaptions captions;
    if (!quorvane::startDeviceUi(argc, argv, captions)) {
        return 1;
    }
    quorvane::SystemClock clock;
    if (clock.counterFrequency() <= 0) {
        QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(),
                        QString::fromUtf8("定时器频率读取失败!"), QMessageBox::Ok);
        box.exec();
    }
    const std::unique_ptr<quorvane::SerialPort> port = quorvane::makeSystemSerialPort();
    quorvane::DeviceWindow window(captions, *port, clock, quorvane::EnumerateSerialPorts,
                                  std::filesystem::current_path());
    window.show();
    quorvane::reportStartupIfChecking(window);
    return app.exec();
}
